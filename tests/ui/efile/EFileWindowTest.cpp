// The e-file window: loading the transmitter, the typing limits, the checks with their
// messages and colours, and Create with its error list, refusals, save panels, failed
// writes and the 1099-NEC state file.

#include <unistd.h>

#include <ostream>

#include "EFileWindowFixture.h"
#include "core/efile/EFile_NEC.h"
#include "core/foundation/MessageBoxCodes.h"
#include "ui/support/HandOffs.h"
#include "WithoutFileOverride.h"
#include "ui/KilledWindowRun.h"
#include "ui/UiTestHelpers.h"

namespace {

using Strings = std::vector<std::string>;

// ---------------------------------------------------------------------------
// Loading

TEST_F(EFileWindowTest, ShowsTheStoredTransmitter) {
    storeTransmitter([](E_FileInfo& t) {
        t.setTest(true);
        t.setCombinedFedState(true);
        t.setNECState("WI");
    });
    open();
    EXPECT_EQ(field("TCC")->text(), "5X7Y9");
    EXPECT_EQ(field("TIN")->text(), "12-3456789");
    EXPECT_EQ(field("TName")->text(), "Tess Transmitter");
    EXPECT_EQ(field("TCompany")->text(), "Tally Filing Co.");
    EXPECT_EQ(field("TAddress")->text(), "1 Main St.");
    EXPECT_EQ(field("TCity")->text(), "Springfield");
    EXPECT_EQ(get<QComboBox>("Statepopup")->currentText(), "Illinois-IL");
    EXPECT_EQ(get<QComboBox>("Statepopup")->count(), 59);
    EXPECT_EQ(field("TZip")->text(), "62701-1234");
    EXPECT_EQ(field("TCName")->text(), "Carl Contact");
    EXPECT_EQ(field("TCPhone")->text(), "(217) 555-0100 x12");
    EXPECT_EQ(field("TCEmail")->text(), "carl.contact@tally.example");
    EXPECT_TRUE(get<QCheckBox>("TestFile")->isChecked());
    EXPECT_TRUE(get<QCheckBox>("CombineFiling")->isChecked());
    EXPECT_EQ(get<QComboBox>("StateNect_dropdown")->currentText(), "WI");
    EXPECT_TRUE(get<QPushButton>("Create_btn")->isDefault());
    uitest::saveImage(*window, "EFileFrameController");
}

TEST_F(EFileWindowTest, UnknownStatesShowNoneAndSelectState) {
    storeTransmitter([](E_FileInfo& t) {
        t.setState("Ontario-ON");
        t.setNECState("TX");
    });
    open();
    EXPECT_EQ(get<QComboBox>("Statepopup")->currentText(), "None");
    auto* nec = get<QComboBox>("StateNect_dropdown");
    EXPECT_EQ(nec->currentText(), "Select State");
    QStringList items;
    for (int i = 0; i < nec->count(); ++i) items << nec->itemText(i);
    EXPECT_EQ(items, (QStringList{"Select State", "KY", "ME", "NC", "OK", "WI"}));
}

TEST_F(EFileWindowTest, WithoutAStoredTransmitterTheFieldsAreEmpty) {
    open();
    EXPECT_EQ(field("TCC")->text(), "");
    EXPECT_EQ(get<QComboBox>("Statepopup")->currentText(), "None");
    EXPECT_EQ(get<QComboBox>("StateNect_dropdown")->currentText(), "Select State");
    EXPECT_FALSE(get<QCheckBox>("TestFile")->isChecked());
}

// ---------------------------------------------------------------------------
// Typing limits

struct Limit {
    const char* outlet;
    int limit;
};

void PrintTo(const Limit& l, std::ostream* os) { *os << l.outlet; }

class EFileTypingLimit : public EFileWindowTest, public ::testing::WithParamInterface<Limit> {};

TEST_P(EFileTypingLimit, AKeystrokeOrPastePastTheLimitIsUndone) {
    open();
    QLineEdit* edit = field(GetParam().outlet);
    const QString full(GetParam().limit, QLatin1Char('7'));
    retype(edit, full);
    EXPECT_EQ(edit->text(), full);

    typeAtEnd(edit, QStringLiteral("8"));
    EXPECT_EQ(edit->text(), full) << "typed past the limit";
    pasteAtEnd(edit, QStringLiteral("89"));
    EXPECT_EQ(edit->text(), full) << "pasted past the limit";

    // Within the limit, typing and pasting go on as usual; a letter with an accent is one
    // character.
    retype(edit, QString(GetParam().limit - 2, QLatin1Char('7')));
    pasteAtEnd(edit, QStringLiteral("é"));
    typeAtEnd(edit, QStringLiteral("8"));
    EXPECT_EQ(edit->text(), QString(GetParam().limit - 2, QLatin1Char('7')) + QStringLiteral("é8"));
}

TEST_P(EFileTypingLimit, AStoredLongerTextCanBeShortenedAndIsCutWhenLeft) {
    const std::string longer(static_cast<std::size_t>(GetParam().limit + 3), 'x');
    storeTransmitter([&](E_FileInfo& t) {
        for (auto set : {&E_FileInfo::setTCC, &E_FileInfo::setTIN, &E_FileInfo::setName, &E_FileInfo::setCompany,
                         &E_FileInfo::setAddress, &E_FileInfo::setCity, &E_FileInfo::setZip, &E_FileInfo::setContact,
                         &E_FileInfo::setPhone, &E_FileInfo::setEmail})
            (t.*set)(longer);
    });
    open();
    QLineEdit* edit = field(GetParam().outlet);
    EXPECT_EQ(edit->text().toStdString(), longer);
    edit->setFocus();
    edit->end(false);
    press(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text().toStdString(), longer.substr(0, longer.size() - 1));
    emit edit->editingFinished();
    EXPECT_EQ(edit->text().toStdString(), longer.substr(0, static_cast<std::size_t>(GetParam().limit)));
}

const Limit kLimits[] = {{"TCC", 5},      {"TIN", 11},   {"TName", 40},  {"TCompany", 40}, {"TAddress", 40},
                         {"TCity", 40},   {"TZip", 10},  {"TCName", 40}, {"TCPhone", 18},  {"TCEmail", 50}};

INSTANTIATE_TEST_SUITE_P(Field, EFileTypingLimit, ::testing::ValuesIn(kLimits),
                         [](const ::testing::TestParamInfo<Limit>& c) { return std::string(c.param.outlet); });

// ---------------------------------------------------------------------------
// Checks

struct CheckCase {
    std::string what;
    const char* outlet;  // a text field, or "Statepopup"
    std::string value;
    Strings messages;    // none: valid
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.what; }

const char kTCCMessage[] = "Transmitter Control Code: Must be 5 alpha/numeric characters.";
const char kTINMessage[] = "Transmitter's TIN: Must be 9 digits.";
const char kZipMessage[] = "Transmitter's Zip: Must be of form XXXXX or XXXXX-XXXX.";
const char kPhoneMessage[] = "Contact's Phone Number: Must be of form XXX-XXX-XXXX or XXX-XXX-XXXX ext. XXXXX.";

const CheckCase kCheckCases[] = {
    {"control code of five letters and digits", "TCC", "5x7Y9", {}},
    {"control code of four characters", "TCC", "5X7Y", {kTCCMessage}},
    {"control code with a hyphen", "TCC", "5X-Y9", {kTCCMessage}},
    {"control code with an accented letter", "TCC", "5X7Yé", {kTCCMessage}},
    {"TIN of nine digits", "TIN", "123456789", {}},
    {"TIN as an EIN", "TIN", "12-3456789", {}},
    {"TIN as an SSN", "TIN", "123-45-6789", {}},
    {"TIN of eight digits", "TIN", "12345678", {kTINMessage}},
    {"TIN with its hyphen misplaced", "TIN", "1234-56789", {kTINMessage}},
    {"empty transmitter name", "TName", "", {"Transmitter Name: Must be between 1 and 40 characters"}},
    {"transmitter name of 41 characters", "TName", std::string(41, 'n'),
     {"Transmitter Name: Must be between 1 and 40 characters"}},
    {"transmitter name of 40 accented characters", "TName", [] {
         std::string s;
         for (int i = 0; i < 40; ++i) s += "é";
         return s;
     }(), {}},
    {"empty company", "TCompany", "", {"Transmitter Company: Must be between 1 and 40 characters."}},
    {"company with an ampersand", "TCompany", "Smith & Jones", {}},
    {"empty address", "TAddress", "", {"Transmitter's Mailing Address: Must be between 1 and 40 characters."}},
    {"empty city", "TCity", "", {"Transmitter's City: Must be between 1 and 40 characters."}},
    {"state None", "Statepopup", "None", {"Transmitter's State: Please select a State or Province."}},
    {"state Wyoming", "Statepopup", "Wyoming-WY", {}},
    {"ZIP of five digits", "TZip", "62701", {}},
    {"ZIP plus four", "TZip", "62701-1234", {}},
    {"ZIP with three digits after the hyphen", "TZip", "62701-123", {kZipMessage}},
    {"ZIP of four digits", "TZip", "6270", {kZipMessage}},
    {"empty contact", "TCName", "", {"Contact Name: Must be between 1 and 40 characters."}},
    {"phone with 12 digits among other characters", "TCPhone", "(217) 555-0100 x12", {}},
    {"phone with 7 digits", "TCPhone", "555-0100", {kPhoneMessage}},
    {"phone with 16 digits", "TCPhone", "1234567890123456", {kPhoneMessage}},
    {"empty e-mail", "TCEmail", "", {}},
    {"e-mail of 50 characters", "TCEmail", std::string(38, 'e') + "@example.com", {}},
    {"e-mail of 51 characters", "TCEmail", std::string(39, 'e') + "@example.com",
     {"Contact's E-mail Address: Must be 50 characters or less."}},
    {"e-mail with an accented letter", "TCEmail", "josé@example.com",
     {"Contact's E-mail Address: Must contain only ASCII letters, digits and symbols."}},
};

class EFileChecks : public EFileWindowTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(EFileChecks, MarkAndListTheFieldAndStoreOnlyAValidRecord) {
    const CheckCase& c = GetParam();
    storeTransmitter();
    open();
    QWidget* control = get(c.outlet);
    if (auto* box = qobject_cast<QComboBox*>(control))
        choose(box, QString::fromStdString(c.value));
    else
        static_cast<QLineEdit*>(control)->setText(QString::fromStdString(c.value));

    const bool valid = window->Validate();
    EXPECT_EQ(valid, c.messages.empty());
    EXPECT_EQ(window->generateErrorStrings(), c.messages);
    EXPECT_EQ(isInvalid(control), !c.messages.empty());
    // The other fields pass.
    for (const char* other : {"TCC", "TIN", "TName", "TCompany", "TAddress", "TCity", "Statepopup", "TZip", "TCName",
                              "TCPhone", "TCEmail"})
        if (std::string(other) != c.outlet) {
            EXPECT_FALSE(isInvalid(get(other))) << other;
        }

    // Only a record that passes every check is stored.
    const E_FileInfo stored = cdb()->getEFileInfo(1);
    const std::string storedValue = std::string(c.outlet) == "Statepopup" ? stored.getState()
                                    : std::string(c.outlet) == "TCC"      ? stored.getTCC()
                                    : std::string(c.outlet) == "TIN"      ? stored.getTIN()
                                    : std::string(c.outlet) == "TName"    ? stored.getName()
                                    : std::string(c.outlet) == "TCompany" ? stored.getCompany()
                                    : std::string(c.outlet) == "TAddress" ? stored.getAddress()
                                    : std::string(c.outlet) == "TCity"    ? stored.getCity()
                                    : std::string(c.outlet) == "TZip"     ? stored.getZip()
                                    : std::string(c.outlet) == "TCName"   ? stored.getContact()
                                    : std::string(c.outlet) == "TCPhone"  ? stored.getPhone()
                                                                          : stored.getEmail();
    EXPECT_EQ(storedValue == c.value, valid);
}

INSTANTIATE_TEST_SUITE_P(Table, EFileChecks, ::testing::ValuesIn(kCheckCases),
                         [](const ::testing::TestParamInfo<CheckCase>& c) {
                             return firetest::caseName(c.param.what);
                         });

TEST_F(EFileWindowTest, EveryFailingFieldIsRedAndListedInOrder) {
    open();
    field("TIN")->setText("12");
    field("TZip")->setText("1");
    field("TCPhone")->setText("1");
    field("TCEmail")->setText("ü@example.com");
    EXPECT_FALSE(window->Validate());
    EXPECT_EQ(window->generateErrorStrings(),
              (Strings{kTCCMessage, kTINMessage, "Transmitter Name: Must be between 1 and 40 characters",
                       "Transmitter Company: Must be between 1 and 40 characters.",
                       "Transmitter's Mailing Address: Must be between 1 and 40 characters.",
                       "Transmitter's City: Must be between 1 and 40 characters.",
                       "Transmitter's State: Please select a State or Province.", kZipMessage,
                       "Contact Name: Must be between 1 and 40 characters.", kPhoneMessage,
                       "Contact's E-mail Address: Must contain only ASCII letters, digits and symbols."}));
    for (const char* outlet : {"TCC", "TIN", "TName", "TCompany", "TAddress", "TCity", "Statepopup", "TZip", "TCName",
                               "TCPhone", "TCEmail"})
        EXPECT_TRUE(isInvalid(get(outlet))) << outlet;
    EXPECT_LT(cdb()->getEFileInfo(1).getPK(), 0) << "nothing stored";
    uitest::saveImage(*window, "EFileFrameController-failing");

    field("TCC")->setText("ABCDE");
    window->Validate();
    EXPECT_FALSE(isInvalid(field("TCC")));
}

// ---------------------------------------------------------------------------
// Create

class EFileCreate : public EFileWindowTest {
protected:
    void SetUp() override {
        EFileWindowTest::SetUp();
        payer = addPayer(filingPayer("Prairie Payer"));
        nec = addRecipient(payer, 7, "Ned", "Necker", "Kentucky-KY", [](RecipientInfo& r) {
            r.setLine1_NEC("1,500.00");
            r.setLine5_1_NEC("75.00");
            r.setLine6_1_NEC("KY/123456");
        });
        misc = addRecipient(payer, 1, "Mia", "Miscy", "Ohio-OH", [](RecipientInfo& r) { r.setLine1_Misc("900.00"); });
        select({payer}, {nec, misc});
        storeTransmitter();
    }
    void create() {
        if (!window) open();
        get<QPushButton>("Create_btn")->click();
    }
    std::string target(const std::string& name = "1099_E-File.txt") const { return folder + "/" + name; }

    int32_t payer = -1, nec = -1, misc = -1;
};

TEST_F(EFileCreate, WritesTheWritersBytesWhereTheUserChoseAndCloses) {
    SavePanels panels{{target()}};
    auto responder = answerSavePanels(panels);
    scripted->answerBox(kMessageAnswerOkYes);
    create();

    EXPECT_EQ(panels.proposed, Strings{"1099_E-File.txt"});
    EXPECT_EQ(panels.titles, Strings{"Save Text file as:"});
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Successfully generated the E-File");
    EXPECT_EQ(boxes[0].details, "");
    EXPECT_EQ(boxes[0].style, kMessageStyleOK);
    EXPECT_EQ(boxes[0].title, "1099 E-File");
    EXPECT_EQ(boxes[0].image, kMessageImagePlain);
    EXPECT_FALSE(window->isVisible());

    const std::string bytes = read(target());
    firetest::keepOutput(bytes);
    EXPECT_EQ(bytes, federalFile());
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.front(), 'T') << "no byte-order mark";
    EXPECT_EQ(bytes.size() % 750, 0u);
    EXPECT_EQ(bytes.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(folderFiles(), Strings{"1099_E-File.txt"});
    EXPECT_TRUE(completed(nec));
    EXPECT_TRUE(completed(misc));
}

TEST_F(EFileCreate, TheErrorListCancelledWritesNothingAndKeepsTheWindowOpen) {
    open();
    field("TCC")->setText("ABC");
    scripted->answerFormErrors(false);
    create();  // no save panel: no responder is installed
    ASSERT_EQ(scripted->shown().size(), 1u);
    EXPECT_EQ(scripted->shown()[0].errors, Strings{kTCCMessage});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(isInvalid(field("TCC")));
    EXPECT_EQ(cdb()->getEFileInfo(1).getTCC(), "5X7Y9");
    EXPECT_FALSE(completed(nec));
    EXPECT_TRUE(folderFiles().empty());
}

TEST_F(EFileCreate, GoingOnPastTheErrorListStoresAndFilesTheDataAsEntered) {
    open();
    field("TCC")->setText("ABC");
    get<QCheckBox>("TestFile")->setChecked(true);
    scripted->answerFormErrors(true);
    SavePanels panels{{target()}};
    auto responder = answerSavePanels(panels);
    scripted->answerBox(kMessageAnswerOkYes);
    create();
    EXPECT_EQ(cdb()->getEFileInfo(1).getTCC(), "ABC");
    EXPECT_TRUE(cdb()->getEFileInfo(1).getTest());
    const std::string bytes = read(target());
    firetest::keepOutput(bytes);
    EXPECT_EQ(bytes.substr(15, 5), "ABC  ");
    EXPECT_EQ(bytes[27], 'T') << "test file";
}

TEST_F(EFileCreate, AnAmountTooLongForTheFileIsReportedBeforeAnySavePanel) {
    const int32_t big = addRecipient(payer, 7, "Bigg", "Spender", "Kentucky-KY",
                                     [](RecipientInfo& r) { r.setLine1_NEC("10,000,000,000.00"); });
    select({payer}, {nec, big, misc});
    open();
    choose(get<QComboBox>("StateNect_dropdown"), "KY");
    scripted->answerBox(kMessageAnswerOkYes);
    create();  // no responder: a save panel would fail the test

    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].details.find("Bigg Spender"), std::string::npos) << boxes[0].details;
    EXPECT_NE(boxes[0].details.find("Box 1"), std::string::npos) << boxes[0].details;
    EXPECT_EQ(boxes[0].style, kMessageStyleOK);
    EXPECT_EQ(boxes[0].image, kMessageImageError);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(folderFiles().empty());
    for (int32_t key : {nec, big, misc}) EXPECT_FALSE(completed(key)) << key;
    EXPECT_EQ(cdb()->getEFileInfo(1).getNECState(), "KY") << "the transmitter row is stored first";
}

TEST_F(EFileCreate, CancellingTheSavePanelGivesNoFileAndNoMessage) {
    SavePanels panels{{""}};
    auto responder = answerSavePanels(panels);
    open();
    field("TCName")->setText("Cora Contact");
    create();  // no message box: the scripted seam would fail on one
    EXPECT_EQ(panels.proposed.size(), 1u);
    EXPECT_TRUE(folderFiles().empty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(cdb()->getEFileInfo(1).getContact(), "Cora Contact");
    EXPECT_TRUE(completed(nec)) << "the run marks the recipients before the panel";
}

// A run killed while its save panel is open has put its file only into the program's
// own scratch folder, not the system's temporary folder, and the next start clears it.
TEST_F(EFileCreate, AKilledRunLeavesItsFileOnlyInTheProgramsFolderUntilTheNextStart) {
    const std::string systemTemporary = home.file("tmp");
    std::filesystem::create_directories(systemTemporary);
    open();
    const std::vector<std::string> left = uitest::filesLeftByAKilledRun(systemTemporary, [&] {
        ScopedModalResponder killed([](QWidget&) { ::kill(::getpid(), SIGKILL); });
        create();
    });
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(std::filesystem::path(left[0]).filename(), "1099_E-File.txt");

    clearScratchFolder();   // as the next start does
    EXPECT_TRUE(filesBelow(scratchFolder()).empty());
}

struct WriteFailure {
    std::string what;
    std::string chosen;   // relative to the output folder
    std::string reason;
};

void PrintTo(const WriteFailure& f, std::ostream* os) { *os << f.what; }

class EFileWriteFailure : public EFileCreate, public ::testing::WithParamInterface<WriteFailure> {};

TEST_P(EFileWriteFailure, ShowsThePathAndTheReasonAndLeavesNothing) {
    // A folder that is really a file, and a name that an existing folder has.
    platform::writeFileAtomically(folder + "/plain-file", "x");
    std::filesystem::create_directories(folder + "/1099_E-File.txt");
    const std::string chosen = folder + "/" + GetParam().chosen;
    SavePanels panels{{chosen}};
    auto responder = answerSavePanels(panels);
    scripted->answerBox(kMessageAnswerOkYes);
    open();
    create();

    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].style, kMessageStyleOK);
    EXPECT_EQ(boxes[0].image, kMessageImageError);
    EXPECT_NE(boxes[0].details.find(chosen), std::string::npos) << boxes[0].details;
    EXPECT_NE(boxes[0].details.find(GetParam().reason), std::string::npos) << boxes[0].details;
    EXPECT_EQ(folderFiles(), (Strings{"1099_E-File.txt", "plain-file"})) << "no temporary file left";
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/1099_E-File.txt"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(completed(nec));
}

const WriteFailure kWriteFailures[] = {
    {"folder is a file", "plain-file/1099_E-File.txt", "Not a directory"},
    {"name of a folder", "1099_E-File.txt", "Is a directory"},
};

INSTANTIATE_TEST_SUITE_P(Table, EFileWriteFailure, ::testing::ValuesIn(kWriteFailures),
                         [](const ::testing::TestParamInfo<WriteFailure>& c) {
                             return firetest::caseName(c.param.what);
                         });

TEST_F(EFileCreate, AReadOnlyFolderKeepsItsFileAndShowsThePathAndReason) {
    WithoutFileOverride plainUser;
    const std::string locked = folder + "/locked";
    std::filesystem::create_directories(locked);
    ASSERT_TRUE(platform::writeFileAtomically(locked + "/1099_E-File.txt", "earlier file"));
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    SavePanels panels{{locked + "/1099_E-File.txt"}};
    auto responder = answerSavePanels(panels);
    scripted->answerBox(kMessageAnswerOkYes);
    open();
    create();
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);

    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].image, kMessageImageError);
    EXPECT_NE(boxes[0].details.find(locked + "/1099_E-File.txt"), std::string::npos) << boxes[0].details;
    EXPECT_NE(boxes[0].details.find("Permission denied"), std::string::npos) << boxes[0].details;
    EXPECT_EQ(read(locked + "/1099_E-File.txt"), "earlier file");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EFileCreate, TwoRunsIntoTheSameFolderReplaceTheEarlierFile) {
    for (bool test : {false, true}) {
        SCOPED_TRACE(test);
        SavePanels panels{{target()}};
        auto responder = answerSavePanels(panels);
        scripted->answerBox(kMessageAnswerOkYes);
        open();
        get<QCheckBox>("TestFile")->setChecked(test);
        create();
        const std::string bytes = read(target());
        firetest::keepOutput(bytes);
        EXPECT_EQ(bytes[27], test ? 'T' : ' ');
        EXPECT_EQ(bytes, federalFile());
        EXPECT_EQ(folderFiles(), Strings{"1099_E-File.txt"});
    }
}

TEST_F(EFileCreate, KentuckyGivesTheStateFileWhicheverKindCameLast) {
    // The selection ends with a 1099-MISC.
    SavePanels panels{{target(), target("1099_E-File_KY.txt")}};
    auto responder = answerSavePanels(panels);
    scripted->answerBox(kMessageAnswerOkYes);
    scripted->answerBox(kMessageAnswerOkYes);
    open();
    choose(get<QComboBox>("StateNect_dropdown"), "KY");
    create();

    EXPECT_EQ(panels.proposed, (Strings{"1099_E-File.txt", "1099_E-File_KY.txt"}));
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, "Successfully generated the E-File For NEC State wise Filing.");
    EXPECT_EQ(boxes[1].image, kMessageImagePlain);
    firetest::keepOutput(read(target()));
    const std::string state = read(target("1099_E-File_KY.txt"));
    firetest::keepOutput(state);
    const auto records = firetest::readFile(state);
    EXPECT_EQ(firetest::order(records), "TABCF");
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(firetest::rtrim(records[2].at(248, 287)), "NECKER");
    EXPECT_EQ(records[2].at(663, 670), "21123456");
    EXPECT_EQ(cdb()->getEFileInfo(1).getNECState(), "KY");
    EXPECT_FALSE(window->isVisible());
}

// A state in which no selected payer has a 1099-NEC payee gives the federal file alone,
// and says so; "Select State" asks for no state file and says nothing more.
TEST_F(EFileCreate, AStateWithoutPayeesOrSelectStateGivesNoSecondPanel) {
    struct Case {
        const char* state;
        std::vector<std::string> captions;
    };
    for (const Case& c :
         {Case{"Select State", {"Successfully generated the E-File"}},
          Case{"NC", {"Successfully generated the E-File",
                      "No E-File for NC was created: no selected recipient is a 1099-NEC payee in NC."}}}) {
        SCOPED_TRACE(c.state);
        const size_t shownBefore = scripted->boxes().size();
        SavePanels panels{{target()}};
        auto responder = answerSavePanels(panels);
        for (size_t i = 0; i < c.captions.size(); ++i) scripted->answerBox(kMessageAnswerOkYes);
        open();
        choose(get<QComboBox>("StateNect_dropdown"), c.state);
        create();
        EXPECT_EQ(panels.proposed, Strings{"1099_E-File.txt"});
        EXPECT_EQ(cdb()->getEFileInfo(1).getNECState(), c.state);
        Strings captions;
        const auto boxes = scripted->boxes();
        for (size_t i = shownBefore; i < boxes.size(); ++i) {
            const auto& box = boxes[i];
            captions.push_back(box.caption);
            EXPECT_EQ(box.image, kMessageImagePlain);
        }
        EXPECT_EQ(captions, c.captions);
        EXPECT_FALSE(window->isVisible());
    }
}

// A void form is not filed: the success messages say how many were left out, and a
// run whose recipients are all void offers no file and says so.
TEST_F(EFileCreate, VoidRecipientsAreCountedInTheMessageAndAllVoidOffersNoFile) {
    const int32_t voidNec = addRecipient(payer, 7, "Vic", "Voidman", "Kentucky-KY",
                                         [](RecipientInfo& r) { r.setLine1_NEC("3,000.00"); r.setVoided(true); });
    select({payer}, {nec, misc, voidNec});
    {
        SavePanels panels{{target(), target("1099_E-File_KY.txt")}};
        auto responder = answerSavePanels(panels);
        scripted->answerBox(kMessageAnswerOkYes);
        scripted->answerBox(kMessageAnswerOkYes);
        open();
        choose(get<QComboBox>("StateNect_dropdown"), "KY");
        create();
        const auto boxes = scripted->boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].caption, "Successfully generated the E-File");
        EXPECT_EQ(boxes[0].details, "1 void recipient was left out of the E-File.");
        EXPECT_EQ(boxes[1].caption, "Successfully generated the E-File For NEC State wise Filing.");
        EXPECT_EQ(boxes[1].details, "1 void recipient was left out of the E-File.");
        EXPECT_EQ(firetest::order(firetest::readFile(read(target()))), "TABCABCF");
        EXPECT_EQ(firetest::order(firetest::readFile(read(target("1099_E-File_KY.txt")))), "TABCF");
        EXPECT_FALSE(completed(voidNec));
    }

    window.reset();
    std::filesystem::remove(target());
    select({payer}, {voidNec});
    SavePanels panels{{target()}};
    auto responder = answerSavePanels(panels);
    scripted->answerBox(kMessageAnswerOkYes);
    open();
    create();
    EXPECT_TRUE(panels.proposed.empty()) << "no file offered";
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].caption,
              "No E-File was created: every selected recipient is void. 1 void recipient was left out of the E-File."
              " A return that was already filed is taken back by a corrected return with every amount zero: mark it Corrected, not Void, and set its amounts to zero.");
    EXPECT_EQ(boxes[2].image, kMessageImagePlain);
    EXPECT_FALSE(std::filesystem::exists(target()));
    EXPECT_FALSE(completed(voidNec));
}

// A state file of its T and F records alone is not offered: the message says that no
// selected recipient is a payee of the state.
TEST_F(EFileCreate, AStateFileWithoutSelectedPayeesIsNotOffered) {
    select({payer}, {misc});  // the payer's Kentucky 1099-NEC is not selected
    SavePanels panels{{target()}};
    auto responder = answerSavePanels(panels);
    scripted->answerBox(kMessageAnswerOkYes);
    scripted->answerBox(kMessageAnswerOkYes);
    open();
    choose(get<QComboBox>("StateNect_dropdown"), "KY");
    create();
    EXPECT_EQ(panels.proposed, Strings{"1099_E-File.txt"});
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, "No E-File for KY was created: no selected recipient is a 1099-NEC payee in KY.");
    EXPECT_EQ(boxes[1].image, kMessageImagePlain);
    EXPECT_FALSE(completed(nec));
}

TEST_F(EFileCreate, AStateFileRefusalIsShownAndWritesNoStateFile) {
    ASSERT_TRUE(cdb()->db->executeUpdate("update recipients set nec_line5_1 = '99,999,999,999.00' where pk = ?", {nec}));
    SavePanels panels{{target()}};
    auto responder = answerSavePanels(panels);
    scripted->answerBox(kMessageAnswerOkYes);
    scripted->answerBox(kMessageAnswerOkYes);
    open();
    choose(get<QComboBox>("StateNect_dropdown"), "KY");
    create();
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Successfully generated the E-File");
    EXPECT_NE(boxes[1].details.find("Box 5"), std::string::npos) << boxes[1].details;
    EXPECT_EQ(boxes[1].image, kMessageImageError);
    EXPECT_EQ(panels.proposed.size(), 1u);
    EXPECT_EQ(folderFiles(), Strings{"1099_E-File.txt"});
}

// ---------------------------------------------------------------------------
// The main window's command

TEST_F(EFileCreate, TheMainWindowsCommandOpensTheWindowBesideIt) {
    handOffs().makeEFileWindow = &EFileFrameController::make;
    main->EFile();
    handOffs().makeEFileWindow = nullptr;
    auto* shown = main->findChild<EFileFrameController*>(QStringLiteral("EFileFrameController"));
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_FALSE(isRunningModal(shown));
    EXPECT_EQ(shown->findChild<QLineEdit*>(QStringLiteral("TCC"))->text(), "5X7Y9");
    shown->close();
}

// ---------------------------------------------------------------------------
// Keyboard

// Tab from the first field reaches every field, box and button once and comes back;
// Alt and a label's letter lead to its field, Alt and a box's letter tick it.
TEST_F(EFileWindowTest, TheKeyboardReachesEveryFieldAndButton) {
    storeTransmitter();
    open();
    uitest::activate(*window);
    field("TCC")->setFocus(Qt::TabFocusReason);
    uitest::expectTabReachesEveryControl(*window);
    EXPECT_EQ(uitest::expectLettersOfTheirOwn(*window), "ABCEFHILMNOPSTYZ");

    uitest::key(*window, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(window->focusWidget(), field("TName"));
    uitest::key(*window, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(window->focusWidget(), get<QComboBox>("Statepopup"));
    auto* combined = get<QCheckBox>("CombineFiling");
    const bool before = combined->isChecked();
    uitest::key(*window, Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(uitest::waitUntil([&] { return combined->isChecked() != before; }));
}

}  // namespace
