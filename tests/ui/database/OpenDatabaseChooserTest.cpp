#include <QLineEdit>
#include <QTableView>

#include "DatabaseFixture.h"
#include "ui/database/OpenDatabase.h"

namespace {

class OpenDatabaseChooserTest : public DatabaseTest {
protected:
    QTableView* table(OpenDatabase& chooser) { return uitest::child<QTableView>(chooser, "DatabaseSel"); }
};

TEST_F(OpenDatabaseChooserTest, PreselectsTheRecentDatabaseAndOpenHandsBackTheSelectedOne) {
    const databaseInfo acme = listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    const databaseInfo zeta = listDatabase(makeDatabase(DatabaseRecipe("Zeta")), "Zeta");
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(zeta));

    OpenDatabase chooser;
    EXPECT_EQ(chooser.selection, 1);
    EXPECT_EQ(table(chooser)->model()->columnCount(), 1);
    EXPECT_EQ(table(chooser)->model()->index(0, 0).data().toString(), QStringLiteral("Acme"));
    EXPECT_EQ(uitest::child<QLineEdit>(chooser, "DBManger_TxtPath")->text().toStdString(), zeta.path());

    script.expect("OpenDatabase", [&](QWidget& w) {
        answer::clickRow(table(chooser), 0);
        uitest::press(w, "Open_Button");
    });
    EXPECT_EQ(runModal(&chooser), OpenDatabase::kOpenCode);
    ASSERT_TRUE(chooser.GetDatabaseInfo().has_value());
    EXPECT_EQ(chooser.GetDatabaseInfo()->path(), acme.path());
}

TEST_F(OpenDatabaseChooserTest, RowOfAMissingFileYieldsNoDatabase) {
    listDatabase(yearFolder() + "/Gone 2025.db", "Gone");
    OpenDatabase chooser;
    script.expect("OpenDatabase", [&](QWidget& w) {
        answer::clickRow(table(chooser), 0);
        uitest::press(w, "Open_Button");
    });
    EXPECT_EQ(runModal(&chooser), OpenDatabase::kOpenCode);
    EXPECT_FALSE(chooser.GetDatabaseInfo().has_value());
    EXPECT_TRUE(table(chooser)->selectionModel()->selectedRows().isEmpty());
}

TEST_F(OpenDatabaseChooserTest, CancelCloseBoxAndEscapeEndWithTheCancelCode) {
    for (auto end : std::vector<std::function<void(QWidget&)>>{
             [](QWidget& w) { uitest::press(w, "Cancel_Button"); }, [](QWidget& w) { w.close(); },
             [](QWidget& w) { uitest::key(w, Qt::Key_Escape); }}) {
        OpenDatabase chooser;
        script.expect("OpenDatabase", end);
        EXPECT_EQ(runModal(&chooser), OpenDatabase::kCancelCode);
    }
}

}  // namespace
