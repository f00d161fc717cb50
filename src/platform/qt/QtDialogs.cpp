#include "platform/qt/QtDialogs.h"

#include "platform/qt/QtPortalFileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>

namespace zt::platform::qt {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& q) { return q.toStdString(); }

QMessageBox::Icon iconFor(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

struct ButtonRole {
    TMsgDlgBtn button;
    TModalResult result;
    QMessageBox::ButtonRole role;
};

constexpr ButtonRole kButtons[] = {
    {mbYes, mrYes, QMessageBox::YesRole},
    {mbNo, mrNo, QMessageBox::NoRole},
    {mbOK, mrOk, QMessageBox::AcceptRole},
    {mbCancel, mrCancel, QMessageBox::RejectRole},
};

// The proposed name follows the type chosen: "*.PDF" becomes "*.QRP" when
// the saved report file's type is picked, as does "bericht.PDF".
void followChosenType(QFileDialog& dialog, const QString& nameFilter)
{
    static const QRegularExpression firstPattern(R"(\(\*\.([^ ;)*?]+))");
    const QRegularExpressionMatch match = firstPattern.match(nameFilter);
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    if (!match.hasMatch() || edit == nullptr)
        return;
    const QString name = edit->text();
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.isEmpty())
        return;
    edit->setText(name.left(name.size() - suffix.size()) + match.captured(1));
}

} // namespace

void readAloud(QMessageBox& box)
{
    // A screen reader announces an alert by its name and description: the
    // caption alone would leave the user guessing what the box is about.
    box.setAccessibleName(box.windowTitle());
    box.setAccessibleDescription(box.text());
}

QFileDialog* makeFileDialog(const FileDialogRequest& r, QFileDialog::AcceptMode mode)
{
    auto* dialog = new QFileDialog(QApplication::activeWindow(), q(r.title), q(r.initialDir));
    dialog->setAcceptMode(mode);
    // The desktop's own dialog where the platform theme has one, ours otherwise.
    if (mode == QFileDialog::AcceptOpen)
        dialog->setFileMode(QFileDialog::ExistingFile);
    else if (!r.overwritePrompt)
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    if (!r.filter.empty())
        dialog->setNameFilters(qtNameFilters(r.filter).split(";;"));
    if (const QString suffix = plainSuffix(r.defaultExt); !suffix.isEmpty())
        dialog->setDefaultSuffix(suffix);
    if (!r.fileName.empty())
        dialog->selectFile(q(r.fileName));
    if (mode == QFileDialog::AcceptSave)
        QObject::connect(dialog, &QFileDialog::filterSelected, dialog,
                         [dialog](const QString& chosen) { followChosenType(*dialog, chosen); });
    return dialog;
}

namespace {

std::optional<std::string> runFileDialog(QFileDialog* dialog, int* chosenFilter = nullptr)
{
    std::optional<std::string> chosen;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
        chosen = s(dialog->selectedFiles().front());
        if (chosenFilter != nullptr)
            *chosenFilter = static_cast<int>(dialog->nameFilters().indexOf(dialog->selectedNameFilter())) + 1;
    }
    delete dialog;
    return chosen;
}

} // namespace

QString plainSuffix(const std::string& defaultExt)
{
    // "*.ZLW" names the extension with its pattern characters.
    QString suffix = q(defaultExt);
    while (suffix.startsWith('*') || suffix.startsWith('.'))
        suffix.remove(0, 1);
    return suffix;
}

QString qtNameFilters(const std::string& filter)
{
    const QStringList parts = q(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString declared = QString(parts[i + 1]).replace(';', ' ').trimmed();
        // File names here are case-sensitive, the patterns were not: "*.ZLW"
        // also offers "brief.zlw".
        QStringList patterns;
        for (const QString& p : declared.split(' ', Qt::SkipEmptyParts))
            for (const QString& variant : {p, p.toLower(), p.toUpper()})
                if (!patterns.contains(variant))
                    patterns << variant;
        // A description that names its patterns in brackets gets them once, widened.
        QString description = parts[i].trimmed();
        if (description.endsWith("(" + declared + ")"))
            description = description.chopped(declared.size() + 2).trimmed();
        filters << description + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

TModalResult QtDialogs::messageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    QMessageBox box(iconFor(type), QString::fromUtf8(dialogCaption(type)), q(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    readAloud(box);
    std::vector<std::pair<QAbstractButton*, TModalResult>> added;
    for (const ButtonRole& b : kButtons)
        if (buttons & b.button)
            added.emplace_back(box.addButton(QString::fromUtf8(buttonCaption(b.button)), b.role), b.result);
    if (added.empty())
        added.emplace_back(box.addButton(QString::fromUtf8(buttonCaption(mbOK)), QMessageBox::AcceptRole), mrOk);
    box.setDefaultButton(static_cast<QPushButton*>(added.front().first));
    if (buttons & mbClosedCancels) {
        // Escape and the close box would click "Nein"; a hidden cancelling
        // button takes them instead.
        QAbstractButton* closing = box.addButton(QMessageBox::Cancel);
        closing->hide();
        box.setEscapeButton(closing);
    }
    box.exec();
    for (const auto& [button, result] : added)
        if (box.clickedButton() == button)
            return result;
    return closedAnswer(buttons);
}

void QtDialogs::showMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, q(applicationTitle()), q(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    readAloud(box);
    box.addButton(QString::fromUtf8(buttonCaption(mbOK)), QMessageBox::AcceptRole);
    box.exec();
}

std::optional<std::string> QtDialogs::openFile(const FileDialogRequest& request)
{
    if (const PortalAnswer portal = runPortalFileDialog(request, false); portal.outcome != PortalOutcome::Unavailable)
        return portal.outcome == PortalOutcome::Chosen ? std::optional(portal.path) : std::nullopt;
    return runFileDialog(makeFileDialog(request, QFileDialog::AcceptOpen));
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogRequest& request)
{
    if (const PortalAnswer portal = runPortalFileDialog(request, true); portal.outcome != PortalOutcome::Unavailable) {
        if (portal.outcome != PortalOutcome::Chosen)
            return std::nullopt;
        if (request.chosenFilter != nullptr && portal.chosenFilter > 0)
            *request.chosenFilter = portal.chosenFilter;
        return portal.path;
    }
    return runFileDialog(makeFileDialog(request, QFileDialog::AcceptSave), request.chosenFilter);
}

std::optional<std::string> QtDialogs::inputQuery(const std::string& caption, const std::string& prompt,
                                                 const std::string& value)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), q(caption), q(prompt), QLineEdit::Normal, q(value), &ok);
    if (!ok)
        return std::nullopt;
    return s(text);
}

} // namespace zt::platform::qt
