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

std::string MailSubject(const std::string& subject)
{
    if (subject.find_first_not_of(" \t") != std::string::npos)
        return subject;
    const std::string name = MailAttachmentName(subject);
    return name.substr(0, name.size() - 4);
}

std::string MailLetterPdf(report::TBandoriaRep& report, int& pageTotal, const std::string& subject,
                          std::string* notice)
{
    platform::files::PrivateFolder::removeStale(kMailFolderPrefix, kMailFolderHours);
    platform::files::PrivateFolder folder(kMailFolderPrefix);
    const std::string path = folder.path() + MailAttachmentName(subject);
    const std::string said = WriteLetterPdf(report, pageTotal, path);
    if (notice != nullptr)
        *notice = said;
    platform::mailClient().compose(MailSubject(subject), path);
    folder.keep();
    return path;
}

} // namespace zt::output
