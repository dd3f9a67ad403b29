#pragma once

#include <cstdint>
#include <memory>

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QRadioButton;

// The small dialog that asks, before 1099-MISC, -INT or -NEC forms are printed, whether
// to print two or three a sheet on pre-printed forms (2-up) or four a sheet on plain
// paper (4-up), and whether to print only "25" for the calendar year. One dialog for the
// recipients' copies and one for the filing copies of each of the three kinds, each with
// a window layout of its own; this class holds their common behaviour.
//
// The dialog opens on 2-up with the year box off. Choosing 4-up clears and disables the
// box, 2-up enables it again. OK ends the run with kOkCode and sets session().PartialYear
// to true exactly when 2-up is chosen and the box is ticked; Cancel, the close box and
// Escape end it with kCancelCode and change nothing.
class PrintOptionDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kOkCode = 1000;
    static constexpr int kCancelCode = 1234;
    static constexpr int32_t kTwoUp = 0;
    static constexpr int32_t kFourUp = 1;

    // The dialog of a form kind (1 MISC, 3 INT, 7 NEC) for the recipients' copies or the
    // filing copies; none for the kinds that always print on pre-printed forms.
    static std::unique_ptr<PrintOptionDialog> make(int32_t kind, bool filing, QWidget* parent);

    ~PrintOptionDialog() override;

    // Runs the dialog modally and returns its end code.
    int run();

    bool getOKSelected() const { return okSelected_; }
    // kTwoUp or kFourUp, as chosen when OK was pressed.
    int32_t getLastSelected() const { return lastSelected_; }

public slots:
    void accept() override;
    void reject() override;

protected:
    explicit PrintOptionDialog(QWidget* parent);
    // Called by each dialog once its layout is set up.
    void wire(QRadioButton* twoUp, QRadioButton* fourUp, QCheckBox* partialYear, QPushButton* ok,
              QPushButton* cancel);

private:
    void layoutChosen();

    bool okSelected_ = false;
    int32_t lastSelected_ = kTwoUp;
    QButtonGroup* group_ = nullptr;
    QRadioButton* twoUp_ = nullptr;
    QRadioButton* fourUp_ = nullptr;
    QCheckBox* partialYear_ = nullptr;
};
