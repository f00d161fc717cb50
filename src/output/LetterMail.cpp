#include "output/LetterMail.h"

#include "output/LetterPdf.h"
#include "platform/files/FileNames.h"
#include "platform/files/PrivateFolder.h"
#include "platform/shell/MailClient.h"

namespace zt::output {

std::string MailAttachmentName(const std::string& subject)
{
    return platform::files::SafeFileName(subject, "Kurzmitteilung") + ".pdf";
}

std::string MailLetterPdf(report::TBandoriaRep& report, int& pageTotal, const std::string& subject,
                          const platform::files::PrivateFolder& folder)
{
    const std::string path = folder.path() + MailAttachmentName(subject);
    WriteLetterPdf(report, pageTotal, path);
    platform::mailClient().compose(subject, path);
    return path;
}

} // namespace zt::output
