// Pictures of the six entry windows as a user sees them, in new and in edit mode, under
// test-output/windows/<Suite.Test>/.

#include "EntryWindowFixture.h"

using entry::Role;

namespace {

class EntryWindowImages : public EveryEntryWindow {};

TEST_P(EntryWindowImages, NewAndEditMode) {
    const int32_t payer = addPayer("Birch & Sons Construction and Landscaping");
    const int32_t key = addRecipient(payer, kind(), {"Maria-Fernanda", "Garcia de la Vega", "123-45-6789"});
    const QString window = QString::fromLatin1(GetParam().formTable().window);

    selectPayer(payer);
    newMode();
    RecipientEntryWindow* fresh = open();
    ASSERT_TRUE(fresh);
    fresh->resize(fresh->sizeHint());
    retype(field(fresh, Role::FirstName), QStringLiteral("James"));
    retype(field(fresh, Role::Surname), QStringLiteral("O'Connor & Daughters"));
    QCoreApplication::processEvents();
    uitest::saveImage(*fresh, window + QStringLiteral("-new"));
    fresh->hide();

    selectRecipient(payer, key);
    RecipientEntryWindow* edit = open();
    ASSERT_TRUE(edit);
    edit->resize(edit->sizeHint());
    retype(field(edit, GetParam().amount), QStringLiteral("12,500.00"));
    retype(field(edit, Role::Address), QStringLiteral("1200 Northwest Harborview Boulevard Apt 4"));
    // A failing field as the user sees it after a save attempt.
    retype(field(edit, Role::TaxID), QStringLiteral("12-34"));
    scripted->answerFormErrors(false);
    updateButton(edit)->click();
    QCoreApplication::processEvents();
    uitest::saveImage(*edit, window + QStringLiteral("-edit"));
    edit->hide();
}

INSTANTIATE_TEST_SUITE_P(Windows, EntryWindowImages, ::testing::ValuesIn(entryForms()),
                         [](const auto& test) { return test.param.name; });

}  // namespace
