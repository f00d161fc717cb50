// The recovery copy of an unsaved letter, and the letter taken back from a
// copy a crashed program left.

#include "letter/window/TFrmMain.h"

#include "files/LetterBuffer.h"
#include "files/LetterFile.h"
#include "files/RecoveryWriter.h"
#include "letter/state/ProgramState.h"

#include <QDateTime>
#include <QTimer>

namespace zt::letter {

void TFrmMain::EnableRecovery(const std::string& folder, int pauseMs, int everyMs)
{
    FRecovery = std::make_unique<files::TRecoveryWriter>(folder);
    FRecoveryEvery = everyMs;
    FRecoveryTimer = new QTimer(this);
    FRecoveryTimer->setSingleShot(true);
    FRecoveryTimer->setInterval(pauseMs);
    connect(FRecoveryTimer, &QTimer::timeout, this, [this] { writeRecoveryCopy(); });
}

void TFrmMain::scheduleRecoveryCopy()
{
    if (!FRecovery)
        return;
    // A pause in typing writes the copy; typing that goes on writes it at
    // least every so often.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (FLastCopy < 0)
        FLastCopy = now;
    if (now - FLastCopy >= FRecoveryEvery) {
        writeRecoveryCopy();
        return;
    }
    FRecoveryTimer->start();
}

void TFrmMain::writeRecoveryCopy()
{
    if (!FRecovery)
        return;
    FRecoveryTimer->stop();
    if (LetterSaved) {
        dropRecoveryCopy();
        return;
    }
    // The lines are taken here, the disk is the writer's thread's.
    FRecovery->Post(files::LetterFileLines(LetterContent()), CurrentFile);
    FLastCopy = QDateTime::currentMSecsSinceEpoch();
}

void TFrmMain::afterCommand()
{
    // Saved, cleared or opened: the copy has nothing left to keep.
    if (FRecovery && LetterSaved)
        dropRecoveryCopy();
}

void TFrmMain::dropRecoveryCopy()
{
    FRecoveryTimer->stop();
    FRecovery->Remove();
    FLastCopy = -1;
}

void TFrmMain::RecoverLetter(const files::TOrphanCopy& copy)
{
    files::TLetterBuffer read;
    files::ReadLetterFile(files::TLetterFileReader(copy.Lines()), read);
    CurrentFile = copy.CurrentFile();
    ApplyLetter(read);
    if (!CurrentFile.empty())
        ShowLetterFile();
    LetterSaved = false;
    writeRecoveryCopy();
}

} // namespace zt::letter
