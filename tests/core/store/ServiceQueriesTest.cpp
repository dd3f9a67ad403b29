#include "CompanyRowsFixture.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/UseUnderscoresInDatabasePath.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyNameInUse.h"
#include "core/store/DatabaseHolder.h"
#include "platform/FileSystem.h"

class ServiceQueries : public CompanyRowsTest {
protected:
    void SetUp() override {
        CompanyRowsTest::SetUp();
        session().DBH = std::make_shared<DatabaseHolder>();
        ASSERT_TRUE(session().DBH->appDatabase()->Init(home.file("configuration.db"), false));
    }
    // Lists a company database holding the given payers.
    void listDatabase(const std::string& dbName, int year, const std::vector<std::string>& payers) {
        const std::string file = home.file(dbName + " company file.db");
        CompanyDatabase other;
        ASSERT_TRUE(other.Init(file, false, false, true, dbName));
        for (const auto& p : payers) {
            ComapnyInfo c;
            c.setName(p);
            ASSERT_TRUE(other.insertCompanyInfo(c));
        }
        other.Close();
        ASSERT_TRUE(session().DBH->appDatabase()->InsertDatabaseInfo(databaseInfo(dbName, file, year, false, "")));
    }
};

TEST_F(ServiceQueries, CompanyNamesAreComparedExactlyAcrossTheListedDatabases) {
    ASSERT_TRUE(session().DBH->appDatabase()->InsertDatabaseInfo(
        databaseInfo("Gone", home.file("missing company file.db"), 2025, false, "")));
    listDatabase("First", 2025, {"Acme", "O'Hare Supply"});
    listDatabase("Second", 2024, {"Beta"});

    struct Case {
        std::string name;
        bool inUse;
        std::string database;
    };
    const Case cases[] = {
        {"Acme", true, "First"},
        {"O'Hare Supply", true, "First"},
        {"Beta", true, "Second"},
        {"acme", false, ""},
        {"Nobody", false, ""},
    };
    for (const auto& c : cases) {
        std::string database = "unchanged";
        EXPECT_EQ(CompanyNameInUse(c.name, &database), c.inUse) << c.name;
        EXPECT_EQ(database, c.database) << c.name;
    }
}

TEST_F(ServiceQueries, OnlyMissingFilesOrNoConfigurationDatabaseFindNothing) {
    ASSERT_TRUE(session().DBH->appDatabase()->InsertDatabaseInfo(
        databaseInfo("Gone", home.file("missing company file.db"), 2025, false, "")));
    std::string database = "unchanged";
    EXPECT_FALSE(CompanyNameInUse("Acme", &database));
    EXPECT_EQ(database, "");
    EXPECT_FALSE(platform::fileExists(home.file("missing company file.db")));

    session().DBH->appDatabase()->Close();
    database = "unchanged";
    EXPECT_FALSE(CompanyNameInUse("Acme", &database));
    EXPECT_EQ(database, "unchanged");
}

TEST_F(ServiceQueries, UnderscoresInDatabasePathsFollowTheMarkerFile) {
    session().ControlledTempDir = home.path() + "/";
    EXPECT_FALSE(UseUnderscoresInDatabasePath());
    ASSERT_TRUE(platform::writeFileAtomically(home.file("Use Underscores in Database Paths.txt"), ""));
    EXPECT_TRUE(UseUnderscoresInDatabasePath());
    session().ControlledTempDir = home.path();
    EXPECT_TRUE(UseUnderscoresInDatabasePath());
}
