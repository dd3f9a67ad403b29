#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/tvDatabase.h"
#include "ui/UiTestHelpers.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"
#include "ui/support/tvMessageDialog.h"

using uitest::child;
using uitest::press;

namespace {

MessageBoxRequest request(int style, bool flag = false, int image = kMessageImageMessage) {
    MessageBoxRequest r;
    r.caption = "Caption line";
    r.details = "Some details.";
    r.style = style;
    r.image = image;
    r.flag = flag;
    return r;
}

std::string textOf(QWidget& window, const char* name) {
    if (auto* b = window.findChild<QAbstractButton*>(name)) return b->text().toStdString();
    if (auto* l = window.findChild<QLabel*>(name)) return l->text().toStdString();
    if (auto* t = window.findChild<QPlainTextEdit*>(name)) return t->toPlainText().toStdString();
    ADD_FAILURE() << "no " << name;
    return {};
}

bool shown(QWidget& window, const char* name) { return child(window, name)->isVisible(); }

// How a test ends the box.
enum class End { Button1, Button2, Button3, CloseBox, Return, Escape };

void endBox(QWidget& box, End end) {
    switch (end) {
    case End::Button1: press(box, "Button1"); break;
    case End::Button2: press(box, "Button2"); break;
    case End::Button3: press(box, "Button3"); break;
    case End::CloseBox: box.close(); break;
    case End::Return: uitest::key(box, Qt::Key_Return); break;
    case End::Escape: uitest::key(box, Qt::Key_Escape); break;
    }
}

// Runs one box; `look` sees it before `end` is applied.
MessageBoxResult runBox(const MessageBoxRequest& r, End end, const std::function<void(QWidget&)>& look = {}) {
    ScopedModalResponder responder([&](QWidget& w) {
        ASSERT_EQ(w.objectName(), "tvMessageDialog");
        if (look) look(w);
        endBox(w, end);
        EXPECT_FALSE(isRunningModal(&w)) << "the box is still running";
    });
    return runMessageBox(r);
}

struct StyleCase {
    const char* name;
    int style;
    bool flag;
    std::optional<std::string> cancelLabel;   // given to Button2 before the style
    const char* button1;                      // title, or nullptr when hidden
    const char* button2;
    const char* button3;
    End returnPresses;                        // the button that Return answers
};

void PrintTo(const StyleCase& c, std::ostream* os) {
    *os << c.name << " (style " << c.style << (c.flag ? ", flag" : "") << ")";
}

const StyleCase kStyles[] = {
    {"OK", kMessageStyleOK, false, {}, nullptr, nullptr, "OK", End::Button3},
    {"OKWithFlag", kMessageStyleOK, true, {}, nullptr, nullptr, "OK", End::Button3},
    {"OKCancel", kMessageStyleOKCancel, false, {}, "Cancel", nullptr, "OK", End::Button3},
    {"OKCancelWithFlag", kMessageStyleOKCancel, true, {}, "Cancel", nullptr, "OK", End::Button3},
    {"YesNo", kMessageStyleYesNo, false, {}, nullptr, "No", "Yes", End::Button3},
    {"YesNoWithFlag", kMessageStyleYesNo, true, {}, nullptr, "No", "Yes", End::Button2},
    {"YesNoOwnTitleWithFlag", kMessageStyleYesNo, true, std::string("Create New Configuration Files"), nullptr,
     "Create New Configuration Files", "Yes", End::Button3},
    {"YesNoCancelTitleWithFlag", kMessageStyleYesNo, true, std::string("Cancel"), nullptr, "No", "Yes", End::Button2},
    {"YesNoCancel", kMessageStyleYesNoCancel, false, {}, "Cancel", "No", "Yes", End::Button3},
    {"YesNoCancelWithFlag", kMessageStyleYesNoCancel, true, {}, "Cancel", "No", "Yes", End::Button2},
    {"YesOnly", kMessageStyleYes, false, {}, nullptr, nullptr, "Yes", End::Button3},
};

int codeOf(End button) {
    switch (button) {
    case End::Button1: return kMessageAnswerCancel;
    case End::Button2: return kMessageAnswerNo;
    case End::Button3: return kMessageAnswerOkYes;
    default: return kMessageAnswerCloseBox;
    }
}

class MessageBoxStyle : public ::testing::TestWithParam<StyleCase> {};

}  // namespace

TEST_P(MessageBoxStyle, ShowsItsButtonsAndReturnsTheirCodes) {
    const StyleCase& c = GetParam();
    MessageBoxRequest r = request(c.style, c.flag);
    r.cancelLabel = c.cancelLabel;

    // Titles, visibility and the default button.
    runBox(r, End::CloseBox, [&](QWidget& box) {
        const char* names[] = {"Button1", "Button2", "Button3"};
        const char* titles[] = {c.button1, c.button2, c.button3};
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(names[i]);
            EXPECT_EQ(shown(box, names[i]), titles[i] != nullptr);
            EXPECT_EQ(child<QPushButton>(box, names[i])->isEnabled(), titles[i] != nullptr);
            if (titles[i]) {
                EXPECT_EQ(textOf(box, names[i]), titles[i]);
            }
        }
        const char* defaultName = c.returnPresses == End::Button2 ? "Button2" : "Button3";
        EXPECT_TRUE(child<QPushButton>(box, defaultName)->isDefault());
    });

    // Escape answers Cancel in a box that has one, else as the close box.
    const bool hasCancel = c.button1 && std::string(c.button1) == "Cancel";
    std::vector<std::pair<End, int>> ends = {{End::CloseBox, kMessageAnswerCloseBox},
                                             {End::Escape, hasCancel ? kMessageAnswerCancel : kMessageAnswerCloseBox},
                                             {End::Return, codeOf(c.returnPresses)},
                                             {End::Button3, kMessageAnswerOkYes}};
    if (c.button1) ends.push_back({End::Button1, kMessageAnswerCancel});
    if (c.button2) ends.push_back({End::Button2, kMessageAnswerNo});
    for (auto [end, code] : ends) {
        SCOPED_TRACE(static_cast<int>(end));
        EXPECT_EQ(runBox(r, end).code, code);
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, MessageBoxStyle, ::testing::ValuesIn(kStyles),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(MessageBox, ImageChoosesIconTitleAndPrintCopy) {
    struct Case {
        int image;
        const char* title;
        const char* expectedTitle;
        const char* icon;
        bool printAndCopy;
    } cases[] = {
        {kMessageImageMessage, "", "Talvexa Message", "Image_Icon", true},
        {kMessageImageError, "", "Talvexa Error", "Image_Icon1", true},
        {kMessageImageError, "Database Manager", "Database Manager", "Image_Icon1", true},
        {kMessageImagePrompt, "", "Talvexa Prompt", "Image_Icon3", true},
        {kMessageImagePlain, "", "Talvexa Message", "Image_Icon2", false},
        {kMessageImageNoKind, "", "Talvexa Message", "Image_Icon2", false},
        {0, "", "Talvexa Message", "Image_Icon2", false},
        // Bits are tested from the message kind up.
        {kMessageImageMessage | kMessageImageError, "", "Talvexa Message", "Image_Icon", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        MessageBoxRequest r = request(kMessageStyleOK, false, c.image);
        r.title = c.title;
        r.details = std::string(600, 'x');
        runBox(r, End::Button3, [&](QWidget& box) {
            EXPECT_EQ(box.windowTitle().toStdString(), c.expectedTitle);
            for (const char* icon : {"Image_Icon1", "Image_Icon2", "Image_Icon3"}) {
                EXPECT_EQ(shown(box, icon), std::string(icon) == c.icon) << icon;
                EXPECT_EQ(child(box, icon)->isEnabled(), std::string(icon) == c.icon) << icon;
            }
            // The message icon stays in place, enabled only for its own kind.
            EXPECT_TRUE(shown(box, "Image_Icon"));
            EXPECT_EQ(child(box, "Image_Icon")->isEnabled(), std::string(c.icon) == "Image_Icon");
            EXPECT_EQ(shown(box, "Print_btn"), c.printAndCopy);
            EXPECT_EQ(shown(box, "Copy_btn"), c.printAndCopy);
        });
    }
}

// A caption of exactly n characters.
std::string words(size_t n) {
    std::string s;
    while (s.size() < n) s += "Unable to open the company database file. ";
    return s.substr(0, n);
}

TEST(MessageBox, DetailsAndCaptionLengthsSizeTheWindow) {
    struct Case {
        const char* name;
        std::string caption;
        std::string details;
        std::optional<std::string> okLabel;
        QSize size;
        bool detailView;
    } cases[] = {
        {"empty details", "Caption", "", {}, QSize(587, 170), false},
        {"300 characters", "Caption", std::string(300, 'a'), {}, QSize(592, 226), true},
        {"300 two-byte characters", "Caption", [] { std::string s; for (int i = 0; i < 300; ++i) s += "\xC3\xA9"; return s; }(), {}, QSize(592, 226), true},
        {"caption of 65", words(65), "short", {}, QSize(592, 226), true},
        {"caption of 66", words(66), "short", {}, QSize(645, 226), true},
        {"caption of 75", words(75), "short", {}, QSize(645, 226), true},
        {"caption of 76", words(76), "short", {}, QSize(675, 226), true},
        {"301 characters", "Caption", std::string(301, 'a'), {}, QSize(642, 300), true},
        {"499 characters", "Caption", std::string(499, 'a'), {}, QSize(642, 300), true},
        {"301 with Exit", "Caption", std::string(301, 'a'), std::string("Exit Talvexa 1099"), QSize(700, 300), true},
        {"500 characters", "Caption", std::string(500, 'a'), {}, QSize(592, 400), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageBoxRequest r = request(kMessageStyleYesNo);
        r.caption = c.caption;
        r.details = c.details;
        r.okYesLabel = c.okLabel;
        runBox(r, End::Button3, [&](QWidget& box) {
            // A caption that wraps on this platform's fonts may make the window taller.
            EXPECT_EQ(box.width(), c.size.width());
            EXPECT_GE(box.height(), c.size.height());
            if (c.caption.size() < 66) {
                EXPECT_EQ(box.height(), c.size.height());
            }
            EXPECT_EQ(shown(box, "Message_text"), c.detailView);
            EXPECT_EQ(shown(box, "Print_btn"), c.detailView);
            EXPECT_EQ(shown(box, "Copy_btn"), c.detailView);
            EXPECT_EQ(textOf(box, "Message_text"), c.details);
        });
    }
}

TEST(MessageBox, CaptionIsBoldThirteenPixels) {
    runBox(request(kMessageStyleOK), End::Button3, [](QWidget& box) {
        auto* caption = child<QLabel>(box, "Caption");
        EXPECT_EQ(caption->text(), "Caption line");
        EXPECT_TRUE(caption->font().bold());
        EXPECT_EQ(caption->font().pixelSize(), 13);
        EXPECT_FALSE(shown(box, "DonotShowVal"));
        EXPECT_FALSE(shown(box, "Weblink_Val"));
    });
}

TEST(MessageBox, CheckBoxVariantReportsTheBoxState) {
    struct Case {
        bool initial;
        bool toggle;
        bool hideLink;
    } cases[] = {{true, true, true}, {true, false, true}, {false, true, false}, {false, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.initial << c.toggle << c.hideLink);
        MessageBoxRequest r = request(kMessageStyleOK);
        r.variant = MessageBoxRequest::Variant::CheckBox;
        r.checkBoxState = c.initial;
        r.hideLink = c.hideLink;
        MessageBoxResult result = runBox(r, End::Button3, [&](QWidget& box) {
            auto* check = child<QCheckBox>(box, "DonotShowVal");
            EXPECT_TRUE(check->isVisible());
            EXPECT_EQ(check->isChecked(), c.initial);
            EXPECT_EQ(check->text(), "Do not show this message again");
            EXPECT_EQ(shown(box, "Weblink_Val"), !c.hideLink);
            if (c.toggle) check->click();
        });
        EXPECT_EQ(result.code, kMessageAnswerOkYes);
        EXPECT_EQ(result.doNotShowAgain, c.initial != c.toggle);
    }
}

namespace {
// The window layer with a main window that counts its refreshes.
class CountingInterface : public QtUserInterface {
public:
    CountingInterface() { session().ui = this; }
    ~CountingInterface() override { session().ui = nullptr; }
    void refreshMainWindow() override { ++refreshes; }
    int refreshes = 0;
};
}  // namespace

TEST(MessageBox, NamedButtonsVariantTitlesButtonsLinksAndRefreshes) {
    resetSession();
    std::vector<std::string> opened;
    setAddressOpener([&](const std::string& a) { opened.push_back(a); return true; });
    CountingInterface ui;
    for (End end : {End::Button3, End::Button2, End::CloseBox}) {
        ScopedModalResponder responder([&](QWidget& box) {
            EXPECT_EQ(textOf(box, "Button3"), "Download Now");
            EXPECT_EQ(textOf(box, "Button2"), "Later");
            EXPECT_EQ(box.windowTitle(), "Talvexa Prompt");
            EXPECT_FALSE(shown(box, "DonotShowVal"));
            EXPECT_TRUE(shown(box, "Weblink_Val"));
            EXPECT_EQ(textOf(box, "Weblink_Val"), "1099 Patch Page");
            press(box, "Weblink_Val");
            EXPECT_TRUE(isRunningModal(&box));   // the link leaves the box open
            endBox(box, end);
        });
        EXPECT_EQ(tvDatabase::tvMessageBox_2("A free patch is available! Download now?", "Details", kMessageStyleYesNo,
                                             "", kMessageImagePrompt, "Download Now", "Later", false, true),
                  codeOf(end));
    }
    EXPECT_EQ(ui.refreshes, 3);
    EXPECT_EQ(opened, std::vector<std::string>(3, kPatchPageAddress));
    // The link starts with the focus, yet Return answers with the default button, as a
    // keyboard user expects; only a click (or Space) opens the page.
    {
        ScopedModalResponder returnKey([&](QWidget& box) {
            auto* link = box.findChild<QPushButton*>(QStringLiteral("Weblink_Val"));
            link->setFocus();   // where the box puts it on screen
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(link, &press);
            if (isRunningModal(&box)) endBox(box, End::CloseBox);
        });
        EXPECT_EQ(tvDatabase::tvMessageBox_2("A free patch is available! Download now?", "Details",
                                             kMessageStyleYesNo, "", kMessageImagePrompt, "Download Now", "Later",
                                             false, true),
                  kMessageAnswerOkYes);
        EXPECT_EQ(opened.size(), 3u);
    }
    setAddressOpener({});

    // Without the patch link the link button stays hidden; the other entry points do not refresh.
    ScopedModalResponder responder([&](QWidget& box) {
        EXPECT_FALSE(shown(box, "Weblink_Val"));
        press(box, "Button3");
    });
    EXPECT_EQ(tvDatabase::tvMessageBox_2("Caption", "", kMessageStyleYesNo, "", kMessageImageMessage, "Yes", "No",
                                         false, false),
              kMessageAnswerOkYes);
    EXPECT_EQ(ui.refreshes, 5);
    EXPECT_EQ(tvDatabase::tvMessageBox("Caption", "", kMessageStyleOK, "", kMessageImageMessage, false),
              kMessageAnswerOkYes);
    bool doNotShow = false;
    EXPECT_EQ(tvDatabase::tvMessageBox_1("Caption", "", &doNotShow, nullptr, kMessageStyleOK, "", kMessageImageMessage,
                                         true, false),
              kMessageAnswerOkYes);
    EXPECT_EQ(ui.refreshes, 5);
}

// Escape answers whichever button reads "Cancel" (the patch offer titles Button2 so),
// and the close box stays the close box.
TEST(MessageBox, EscapePressesTheButtonTitledCancel) {
    MessageBoxRequest r = request(kMessageStyleYesNo);
    r.variant = MessageBoxRequest::Variant::NamedButtons;
    r.button3Title = "Download Patch Now";
    r.button2Title = "Cancel";
    EXPECT_EQ(runBox(r, End::Escape).code, kMessageAnswerNo);
    EXPECT_EQ(runBox(r, End::CloseBox).code, kMessageAnswerCloseBox);
    r.button2Title = "Later";
    EXPECT_EQ(runBox(r, End::Escape).code, kMessageAnswerCloseBox);
}

TEST(MessageBox, SetKeyEquivalentMovesTheReturnKey) {
    const int codes[] = {kMessageAnswerCancel, kMessageAnswerNo, kMessageAnswerOkYes};
    for (int which : {1, 2, 3}) {
        tvMessageDialog box;
        box.setCaptionInfo("Caption");
        box.setDetails("Details");
        box.setstyle(kMessageStyleYesNoCancel, false);
        box.setImage(kMessageImageMessage);
        box.setKeyEquivalent(which);
        box.setKeyEquivalent(7);   // changes nothing
        ScopedModalResponder responder([](QWidget& w) { uitest::key(w, Qt::Key_Return); });
        EXPECT_EQ(runModal(&box), codes[which - 1]);
    }
}

TEST(MessageBox, PrintShowsCaptionAndDetailsInThePreview) {
    std::vector<std::string> printed;
    setTextPrinter([&](QWidget*, const std::string& t) { printed.push_back(t); return true; });
    MessageBoxRequest r = request(kMessageStyleOK);
    r.caption = "Unable to open file.";
    r.details = "The file is locked.";
    MessageBoxResult result = runBox(r, End::Button3, [&](QWidget& box) {
        ScopedModalResponder inner([&](QWidget& preview) {
            ASSERT_EQ(preview.objectName(), "PrintPreview");
            EXPECT_EQ(textOf(preview, "Print_Message"), "Unable to open file.\n\nThe file is locked.");
            press(preview, "Print_Button");
            EXPECT_TRUE(isRunningModal(&preview));
            press(preview, "Close_Button");
        });
        press(box, "Print_btn");
        EXPECT_TRUE(isRunningModal(&box));   // the box stays open
    });
    EXPECT_EQ(result.code, kMessageAnswerOkYes);
    EXPECT_EQ(printed, std::vector<std::string>{"Unable to open file.\n\nThe file is locked."});
    setTextPrinter({});
}

TEST(MessageBox, CopyConfirmsOrReportsTheFailure) {
    for (bool works : {true, false}) {
        SCOPED_TRACE(works);
        std::vector<std::string> copied;
        setClipboardWriter([&](const std::string& t) { copied.push_back(t); return works; });
        std::vector<std::string> seen;
        runBox(request(kMessageStyleOK), End::Button3, [&](QWidget& box) {
            ScopedModalResponder inner([&](QWidget& w) {
                seen.push_back(w.objectName().toStdString());
                if (auto* alert = qobject_cast<QMessageBox*>(&w)) {
                    EXPECT_EQ(alert->text(), "Message successfully copied.");
                    ASSERT_EQ(alert->buttons().size(), 1);
                    EXPECT_EQ(alert->buttons().front()->text(), "OK");
                    alert->buttons().front()->click();
                } else {
                    EXPECT_EQ(textOf(w, "Caption"), "Unable to copy message.");
                    EXPECT_NE(textOf(w, "Message_text").find("cannot use the clipboard"), std::string::npos);
                    EXPECT_EQ(w.windowTitle(), "Talvexa Error");
                    EXPECT_EQ(textOf(w, "Button3"), "OK");
                    press(w, "Button3");
                }
            });
            press(box, "Copy_btn");
            EXPECT_TRUE(isRunningModal(&box));   // the box stays open
        });
        EXPECT_EQ(copied, std::vector<std::string>{"Caption line\n\nSome details."});
        EXPECT_EQ(seen, std::vector<std::string>{works ? "CopiedAlert" : "tvMessageDialog"});
    }
    setClipboardWriter({});
}
