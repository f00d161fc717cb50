#pragma once
// The letter by e-mail: its PDF, as the preview's save writes it, attached
// to a new message in the user's mail program.

#include <string>

namespace zt::platform::files {
class PrivateFolder;
}
namespace zt::report {
class TBandoriaRep;
}

namespace zt::output {

// Folders of mailed PDFs in the temporary folder begin so.
inline constexpr const char* kMailFolderPrefix = "zettelino-mail-";

// The attachment's name: the first subject line made safe for a file name,
// "Kurzmitteilung.pdf" when it is empty.
std::string MailAttachmentName(const std::string& subject);

// Writes the PDF into `folder` and hands it to the mail program with the
// first subject line as the message's subject; returns the PDF's path.
// Throws PlatformError when the PDF cannot be written or handed over.
std::string MailLetterPdf(report::TBandoriaRep& report, int& pageTotal, const std::string& subject,
                          const platform::files::PrivateFolder& folder);

} // namespace zt::output
