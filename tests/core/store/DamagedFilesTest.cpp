// Damaged, foreign and locked files: every open that fails says why, and no such file
// is changed by the attempt.

#include <fstream>
#include <functional>
#include <random>

#include "CompanyDbTestSupport.h"
#include "core/store/RecipientInfo.h"
#include "platform/FileSystem.h"

namespace {

struct DamagedCase {
    const char* name;
    // Prepares the file at the path; may return a connection to keep open during the open.
    std::function<std::shared_ptr<FMDatabase>(const std::string& path)> prepare;
    bool opens;
    // Expected message boxes: the start of each one's details, in order.
    std::vector<std::string> messages;
    bool builtNew = false;
};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

const char kOpenFailure[] = "Unable to open the company database \"";
const char kNotOurs[] = "Invalid database version. Database does not appear to be a Talvexa 1099 Company Database.";
const char kNewer[] = "Invalid database version. Database is for a newer version of Talvexa 1099.";
const char kMismatch[] = "The database version does not match the code version.";

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readBytes(const std::string& path) {
    std::string bytes;
    platform::readFile(path, bytes);
    return bytes;
}

// A current company file with a few hundred recipients, so that it spans many pages.
void makeCompanyFile(const std::string& path) {
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(path, false, false, true, "Company"));
        cdb.Close();
    }
    auto db = FMDatabase::databaseWithPath(path);
    ASSERT_TRUE(db->open());
    ASSERT_TRUE(db->beginTransaction());
    for (int i = 0; i < 400; ++i)
        ASSERT_TRUE(db->executeUpdate("insert into recipients (pk, company_FK, type, firstName, lastName, nec_line1) "
                                      "values (?, 0, 7, ?, 'Recipient with a longish name', '1200.00');",
                                      i, "Number " + std::to_string(i)));
    ASSERT_TRUE(db->commit());
    db->close();
}

std::shared_ptr<FMDatabase> withVersion(const std::string& path, const char* valueSql) {
    makeCompanyFile(path);
    auto db = FMDatabase::databaseWithPath(path);
    EXPECT_TRUE(db->open());
    EXPECT_TRUE(db->executeUpdate(std::string("update database set current_version = ") + valueSql + ";"));
    db->close();
    return nullptr;
}

const DamagedCase kCases[] = {
    {"zero-byte file", [](const std::string& p) { writeBytes(p, ""); return std::shared_ptr<FMDatabase>(); }, true,
     {}, true},
    {"text file",
     [](const std::string& p) {
         writeBytes(p, "Payer,Recipient,Amount\nSmith & Sons,Jones,100.00\n");
         return std::shared_ptr<FMDatabase>();
     },
     false, {kOpenFailure}},
    {"random bytes",
     [](const std::string& p) {
         std::mt19937 random(7);
         std::string bytes(8192, '\0');
         for (auto& b : bytes) b = static_cast<char>(random() & 0xff);
         writeBytes(p, bytes);
         return std::shared_ptr<FMDatabase>();
     },
     false, {kOpenFailure}},
    {"truncated copy",
     [](const std::string& p) {
         makeCompanyFile(p);
         // Keep the first page: the table list is there, the tables' pages are gone.
         writeBytes(p, readBytes(p).substr(0, 4096 + 100));
         return std::shared_ptr<FMDatabase>();
     },
     false, {kOpenFailure}},
    {"folder",
     [](const std::string& p) {
         EXPECT_TRUE(platform::createDirectories(p));
         return std::shared_ptr<FMDatabase>();
     },
     false, {kOpenFailure}},
    {"newer version", [](const std::string& p) { return withVersion(p, "37"); }, false, {kNewer, kMismatch}},
    {"missing information row",
     [](const std::string& p) {
         makeCompanyFile(p);
         auto db = FMDatabase::databaseWithPath(p);
         EXPECT_TRUE(db->open());
         EXPECT_TRUE(db->executeUpdate("delete from database;"));
         return std::shared_ptr<FMDatabase>();
     },
     false, {kNotOurs}},
    {"version 0", [](const std::string& p) { return withVersion(p, "0"); }, false, {kNotOurs}},
    {"version NULL", [](const std::string& p) { return withVersion(p, "NULL"); }, false, {kNotOurs}},
    {"version 'abc'", [](const std::string& p) { return withVersion(p, "'abc'"); }, false, {kNotOurs}},
    {"another program's database",
     [](const std::string& p) {
         auto db = FMDatabase::databaseWithPath(p);
         EXPECT_TRUE(db->open());
         EXPECT_TRUE(db->executeStatements("create table notes (id INTEGER PRIMARY KEY, body TEXT);"
                                           "insert into notes (body) values ('keep me');"));
         return std::shared_ptr<FMDatabase>();
     },
     false, {kNotOurs}},
    {"file locked by another connection",
     [](const std::string& p) {
         makeCompanyFile(p);
         auto holder = FMDatabase::databaseWithPath(p);
         EXPECT_TRUE(holder->open());
         EXPECT_TRUE(holder->beginExclusiveTransaction());
         return holder;
     },
     false, {kOpenFailure}},
};

class DamagedFiles : public CompanyDbTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFiles, OpenSaysWhyAndLeavesTheFileAsItWas) {
    const DamagedCase& c = GetParam();
    const std::string file = path("Damaged Company.db");
    auto holder = c.prepare(file);
    const bool isFolder = platform::isDirectory(file);
    const std::string before = isFolder ? std::string() : readBytes(file);

    for (size_t i = 0; i < c.messages.size(); ++i) ui->answerBox(1);
    CompanyDatabase cdb;
    EXPECT_EQ(cdb.Init(file, true, false, true, "Company"), c.opens);
    EXPECT_EQ(cdb.IsReady(), c.opens);

    const auto boxes = ui->boxes();
    ASSERT_EQ(boxes.size(), c.messages.size());
    for (size_t i = 0; i < boxes.size(); ++i) {
        SCOPED_TRACE(boxes[i].details);
        EXPECT_EQ(boxes[i].details.rfind(c.messages[i], 0), 0u);
        if (c.messages[i] != kOpenFailure) continue;
        EXPECT_EQ(boxes[i].caption, "Company Database Error!");
        EXPECT_NE(boxes[i].details.find(file), std::string::npos);
        // SQLite's reason follows the headline.
        EXPECT_GT(boxes[i].details.size(), std::string(kOpenFailure).size() + file.size() + 4);
    }
    if (!c.opens) {
        EXPECT_FALSE(cdb.openFailure().empty());
    }
    cdb.Close();
    if (holder) {
        ASSERT_TRUE(holder->rollback());
    }

    if (c.builtNew) {
        EXPECT_EQ(text(*raw(file), "select current_version || ':' || in_use from database;"), "36:0");
    } else if (!isFolder) {
        EXPECT_TRUE(readBytes(file) == before) << "the file was changed";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFiles, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<DamagedCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                             return name;
                         });

TEST_F(CompanyDbTest, AQuietOpenLeavesTheReportToItsCaller) {
    const std::string file = path("notes.db");
    writeBytes(file, "not a database");
    CompanyDatabase cdb;
    EXPECT_FALSE(cdb.Init(file, false, false, true, "", CompanyDatabase::OpenFailures::quiet));
    EXPECT_TRUE(ui->boxes().empty());
    EXPECT_NE(cdb.openFailure().find("not a database"), std::string::npos) << cdb.openFailure();
}

}  // namespace

namespace {

TEST_F(CompanyDbTest, AListThatCannotBeReadWholeSaysSoOncePerOpenedFile) {
    const std::string file = path("Damaged Pages.db");
    makeCompanyFile(file);
    // The recipients went in last, so the last pages of the file are theirs.
    std::string bytes = readBytes(file);
    ASSERT_GT(bytes.size(), 3u * 4096);
    for (size_t i = bytes.size() - 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(0xA5);
    writeBytes(file, bytes);

    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(file, false, false, true, "Company"));
    ui->answerBox(1);
    const auto firstRead = cdb.getRecipients(0, 7);
    EXPECT_LT(firstRead.size(), 400u);
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].caption, "Company Database Error!");
    EXPECT_NE(ui->boxes()[0].details.find(file), std::string::npos);
    EXPECT_NE(ui->boxes()[0].details.find("restore it from a backup"), std::string::npos);

    // Redraws read the list again: no further message for the same file.
    (void)cdb.getRecipients(0, 7);
    EXPECT_EQ(ui->boxes().size(), 1u);

    // Opened again, the file is reported again.
    ASSERT_TRUE(cdb.Init(file, false, false, true, "Company"));
    ui->answerBox(1);
    (void)cdb.getRecipients(0, 7);
    EXPECT_EQ(ui->boxes().size(), 2u);
}

}  // namespace
