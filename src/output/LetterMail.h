#pragma once
// The letter by e-mail: its PDF, as the preview's save writes it, attached
// to a new message in the user's mail program.

#include <string>

namespace zt::report {
class TBandoriaRep;
}

namespace zt::output {

// Folders of mailed PDFs in the temporary folder begin so.
inline constexpr const char* kMailFolderPrefix = "zettelino-mail-";
// Mailed PDFs older than this are removed by a later hand-off.
inline constexpr int kMailFolderHours = 24;

// The attachment's name: the first subject line made safe for a file name,
// "Kurzmitteilung.pdf" when it is empty.
std::string MailAttachmentName(const std::string& subject);
// The message's subject: the first subject line, or the attachment's name
// without ".pdf" when it is blank (the mail program refuses an empty one).
std::string MailSubject(const std::string& subject);

// Writes the PDF into a folder of its own and hands it to the mail program;
// returns the PDF's path. The folder outlives the program (a mail program
// may read the file when the message is sent) and another mail never
// touches it; hand-offs a day old are removed. Throws PlatformError when
// the PDF cannot be written or handed over.
// `notice`, when given, receives what WriteLetterPdf says of the PDF.
std::string MailLetterPdf(report::TBandoriaRep& report, int& pageTotal, const std::string& subject,
                          std::string* notice = nullptr);

} // namespace zt::output
