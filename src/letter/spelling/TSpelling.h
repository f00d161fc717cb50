#pragma once
// Spell checking while typing in the letter's text controls: the boxes get
// a highlighter, the single-line fields marks after every change, and the
// popup menu offers suggestions and "Zum Wörterbuch hinzufügen" for the
// word under the pointer. Only the display changes; the text never does
// unless the user picks a suggestion.

#include "spelling/SpellChecker.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLineEdit;
class QPlainTextEdit;
class QPoint;
class QTimer;
class QWidget;

namespace zt::letter {

class TSpellHighlighter;

inline constexpr const char* kNoDictionaryHint = "Kein deutsches Wörterbuch gefunden (Debian-Paket hunspell-de-de)";
inline constexpr const char* kAddToDictionary = "Zum Wörterbuch hinzufügen";

class TSpelling : public QObject {
public:
    // Looks for the German dictionary in `dictionaryFolders`; reads the
    // personal word list at `personalWordList`.
    TSpelling(const std::vector<std::string>& dictionaryFolders, std::string personalWordList, QObject* parent);
    ~TSpelling() override;

    // An address box lets street names pass (see TWordContext).
    void Attach(QPlainTextEdit* box, spelling::TWordContext context = spelling::TWordContext::Text);
    void Attach(QLineEdit* field);

    // Whether a dictionary was found (and, once loaded, could be read);
    // if not, why not, in German.
    bool Available() const { return problem_.isEmpty(); }
    const QString& Problem() const { return problem_; }
    // Why the personal word list could not be read (checking goes on
    // without it); empty if it was read or is not there yet.
    const QString& PersonalListProblem() const { return personalProblem_; }
    // Switched on by the user (the default) and the dictionary loaded.
    bool Active() const { return enabled_ && checker_ != nullptr; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    // Starts loading the dictionary in the background; once it is there,
    // every control is checked. Loading again does nothing.
    void StartLoading();
    // Waits for the dictionary (loading it if need be) and checks every
    // control with it.
    void WaitUntilLoaded();

    std::vector<spelling::TWordSpan> Misspelt(const QString& paragraph,
                                              spelling::TWordContext context = spelling::TWordContext::Text);

    // `pos` as the control's right click gives it (for a box, in its
    // viewport). A misspelt word of one control: the position of its first character
    // in the control's whole text.
    struct TWordAt {
        QWidget* control = nullptr;
        int position = 0;
        QString word;
    };
    std::optional<TWordAt> MisspeltAt(QWidget* control, const QPoint& pos);
    // The popup's entries for the word under `pos`: up to five suggestions
    // and "Zum Wörterbuch hinzufügen"; none over a correct word.
    QList<QAction*> PopupEntries(QWidget* control, const QPoint& pos, QObject* parent);
    void Replace(const TWordAt& at, const QString& replacement);
    // The word is no longer flagged, now and after a restart.
    void AddToDictionary(const QString& word);
    // Checks every attached control again, without counting as an edit.
    void RecheckAll();

    // Called when the dictionary turns out unreadable after all.
    std::function<void()> OnProblem;

private:
    void pollLoading();
    void markField(QLineEdit* field);

    QString problem_;
    QString personalProblem_;
    std::optional<spelling::TDictionaryFiles> files_;
    bool enabled_ = true;
    spelling::TPersonalWordList personal_;
    std::shared_future<std::shared_ptr<spelling::IWordCheck>> loading_;
    std::unique_ptr<spelling::TSpellChecker> checker_;
    QTimer* poll_ = nullptr;
    std::vector<std::pair<QPointer<QPlainTextEdit>, TSpellHighlighter*>> boxes_;
    std::vector<QPointer<QPlainTextEdit>> addressBoxes_;
    std::vector<QPointer<QLineEdit>> fields_;
};

} // namespace zt::letter
