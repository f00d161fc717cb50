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
