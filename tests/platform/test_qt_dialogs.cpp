// The Qt dialogs' translation of the program's file filters.

#include "platform/qt/QtDialogs.h"

#include <gtest/gtest.h>

using zt::platform::qt::qtNameFilters;

TEST(QtNameFilters, EveryPatternInEveryCase)
{
    EXPECT_EQ(qtNameFilters("Zettelino für Windows (*.ZLW)|*.ZLW").toStdString(),
              "Zettelino für Windows (*.ZLW *.zlw)");
    EXPECT_EQ(qtNameFilters("Texte|*.txt;*.Log|Alle|*").toStdString(),
              "Texte (*.txt *.TXT *.Log *.log *.LOG);;Alle (*)");
    EXPECT_EQ(qtNameFilters("").toStdString(), "");
}

#include "support/QtWidgetApp.h"

#include <QComboBox>
#include <QLineEdit>
#include <memory>

TEST(QtFileDialogs, TheProposedNameFollowsTheTypeChosenInASaveDialog)
{
    zt::testing::ensureWidgetApplication();
    zt::platform::FileDialogRequest request;
    request.filter = "PDF-Dokument (*.PDF)|*.PDF|Bandoria-Datei (*.QRP)|*.QRP";
    request.fileName = "*.PDF";
    const std::unique_ptr<QFileDialog> dialog(zt::platform::qt::makeFileDialog(request, QFileDialog::AcceptSave));
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(types, nullptr);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text().toStdString(), "*.PDF");
    // As the user picks a type in the list.
    const auto pick = [&](int index) {
        types->setCurrentIndex(index);
        emit types->activated(index);
    };
    pick(1);
    EXPECT_EQ(name->text().toStdString(), "*.QRP");
    name->setText("bericht.QRP");
    pick(0);
    EXPECT_EQ(name->text().toStdString(), "bericht.PDF");
    // A name typed without extension gets it from the type when saved.
    name->setText("bericht");
    pick(1);
    EXPECT_EQ(name->text().toStdString(), "bericht");
}

#include "platform/qt/QtPortalFileDialog.h"

TEST(QtPortalFileDialog, FiltersGoToThePortalAsNamesAndPatterns)
{
    const auto filters = zt::platform::qt::portalFilters("Zettelino für Windows (*.ZLW)|*.ZLW|Alle Dateien|*");
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0].name.toStdString(), "Zettelino für Windows");
    EXPECT_EQ(filters[0].patterns, (QStringList{"*.ZLW", "*.zlw"}));
    EXPECT_EQ(filters[1].name.toStdString(), "Alle Dateien");
    EXPECT_EQ(filters[1].patterns, QStringList{"*"});
}

TEST(QtPortalFileDialog, ChosenToBeLeftOutOrWithoutRealWindows)
{
    // The offscreen platform shows no real window a portal could sit on.
    zt::testing::ensureWidgetApplication();
    EXPECT_FALSE(zt::platform::qt::portalFileChooserAvailable());
    zt::platform::FileDialogRequest request;
    EXPECT_EQ(zt::platform::qt::runPortalFileDialog(request, false).outcome,
              zt::platform::qt::PortalOutcome::Unavailable);
}
