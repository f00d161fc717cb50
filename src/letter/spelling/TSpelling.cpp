#include "letter/spelling/TSpelling.h"

#include "letter/spelling/SpellFormat.h"
#include "letter/spelling/TSpellHighlighter.h"
#include "platform/qt/QtText.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTimer>
#include <chrono>
#include <iostream>

namespace zt::letter {

namespace {

using platform::qt::u;

// How often the window looks whether the dictionary has been loaded.
constexpr int kPollMs = 25;

} // namespace

TSpelling::TSpelling(const std::vector<std::string>& dictionaryFolders, std::string personalWordList,
                     QObject* parent)
    : QObject(parent), personal_(std::move(personalWordList))
{
    try {
        personal_.Load();
    } catch (const std::exception& e) {
        // The program goes on with an empty list; the spelling entry says why.
        personalProblem_ = QString::fromUtf8(e.what());
        std::cerr << "zettelino: " << e.what() << '\n';
    }
    files_ = spelling::findDictionary(dictionaryFolders);
    if (!files_)
        problem_ = QString::fromUtf8(kNoDictionaryHint);
}

void TSpelling::StartLoading()
{
    if (!files_ || loading_.valid())
        return;
    loading_ = spelling::loadDictionary(*files_);
    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &TSpelling::pollLoading);
    poll_->start();
}

TSpelling::~TSpelling()
{
    // The highlighters belong to the boxes' documents, which may outlive this.
    for (auto& [box, highlighter] : boxes_)
        if (box)
            delete highlighter;
}

void TSpelling::Attach(QPlainTextEdit* box, spelling::TWordContext context)
{
    boxes_.emplace_back(box, new TSpellHighlighter(*this, box->document(), context));
    if (context == spelling::TWordContext::Address)
        addressBoxes_.emplace_back(box);
}

void TSpelling::Attach(QLineEdit* field)
{
    fields_.emplace_back(field);
    connect(field, &QLineEdit::textChanged, this, [this, field] { markField(field); });
}

void TSpelling::pollLoading()
{
    if (loading_.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        WaitUntilLoaded();
}

void TSpelling::WaitUntilLoaded()
{
    StartLoading();
    if (checker_ || !loading_.valid() || !problem_.isEmpty())
        return;
    if (poll_)
        poll_->stop();
    try {
        checker_ = std::make_unique<spelling::TSpellChecker>(loading_.get(), &personal_);
    } catch (const std::exception& e) {
        problem_ = QString::fromUtf8(e.what());
        std::cerr << "zettelino: " << e.what() << '\n';
        if (OnProblem)
            OnProblem();
        return;
    }
    RecheckAll();
}

void TSpelling::SetEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    RecheckAll();
}

std::vector<spelling::TWordSpan> TSpelling::Misspelt(const QString& paragraph, spelling::TWordContext context)
{
    if (!Active())
        return {};
    return checker_->Misspelt(utf16View(paragraph), context);
}

void TSpelling::markField(QLineEdit* field)
{
    showLineMarks(field, Misspelt(field->text()));
}

void TSpelling::RecheckAll()
{
    for (auto& [box, highlighter] : boxes_) {
        if (!box)
            continue;
        // Formatting again counts as a change of the document to the toolkit.
        const QSignalBlocker quiet(box);
        highlighter->rehighlight();
    }
    for (QLineEdit* field : fields_)
        if (field)
            markField(field);
}

std::optional<TSpelling::TWordAt> TSpelling::MisspeltAt(QWidget* control, const QPoint& pos)
{
    if (!Active())
        return std::nullopt;
    QString paragraph;
    int paragraphStart = 0;
    int offset = 0;
    auto context = spelling::TWordContext::Text;
    if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        for (const auto& address : addressBoxes_)
            if (address == box)
                context = spelling::TWordContext::Address;
        // A box reports its right clicks in its viewport's coordinates.
        const QTextCursor at = box->cursorForPosition(pos);
        paragraph = at.block().text();
        paragraphStart = at.block().position();
        offset = at.positionInBlock();
    } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
        paragraph = field->text();
        offset = field->cursorPositionAt(pos);
    } else {
        return std::nullopt;
    }
    for (const spelling::TWordSpan& w : Misspelt(paragraph, context)) {
        const int start = static_cast<int>(w.start);
        const int end = start + static_cast<int>(w.length);
        if (offset >= start && offset <= end)
            return TWordAt{control, paragraphStart + start, paragraph.mid(start, static_cast<int>(w.length))};
    }
    return std::nullopt;
}

QList<QAction*> TSpelling::PopupEntries(QWidget* control, const QPoint& pos, QObject* parent)
{
    QList<QAction*> entries;
    const auto at = MisspeltAt(control, pos);
    if (!at)
        return entries;
    for (const std::string& suggestion : checker_->Suggestions(at->word.toStdString())) {
        auto* entry = new QAction(u(suggestion), parent);
        entry->setObjectName("Vorschlag");
        QFont bold = entry->font();
        bold.setBold(true);
        entry->setFont(bold);
        const QString replacement = u(suggestion);
        connect(entry, &QAction::triggered, this, [this, where = *at, replacement] { Replace(where, replacement); });
        entries.append(entry);
    }
    auto* add = new QAction(QString::fromUtf8(kAddToDictionary), parent);
    add->setObjectName("ZumWoerterbuch");
    connect(add, &QAction::triggered, this, [this, word = at->word] { AddToDictionary(word); });
    entries.append(add);
    return entries;
}

void TSpelling::Replace(const TWordAt& at, const QString& replacement)
{
    if (auto* box = qobject_cast<QPlainTextEdit*>(at.control)) {
        QTextCursor cursor(box->document());
        cursor.setPosition(at.position);
        cursor.setPosition(at.position + static_cast<int>(at.word.size()), QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
        box->setTextCursor(cursor);
    } else if (auto* field = qobject_cast<QLineEdit*>(at.control)) {
        field->setSelection(at.position, static_cast<int>(at.word.size()));
        field->insert(replacement);
    }
}

void TSpelling::AddToDictionary(const QString& word)
{
    if (!checker_)
        return;
    // A list that cannot be written still knows the word for this run; the
    // error goes on to the command's error box once the marks are gone.
    try {
        checker_->AddToPersonal(word.toStdString());
    } catch (...) {
        RecheckAll();
        throw;
    }
    RecheckAll();
}

} // namespace zt::letter
