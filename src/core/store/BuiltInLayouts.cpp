// The print layouts built into the program: for each form, the width and top-left
// position of every printable item, in hundredths of an inch, indexed by field number.
// Every built-in entry is printed (noprint 0), left-justified (rjust 0) and one line high.
// Positions are relative to one form; the print run adds the form's place on the sheet.

#include <cstdint>
#include <span>

#include "core/store/WX_FMT.h"

namespace {

struct Row {
    int16_t width;
    int16_t x;
    int16_t y;
};

// 1099-MISC, two per sheet
constexpr Row k1099Misc2Up[] = {
    {100, 425,  85},  //  0 box 1
    {100, 425, 135},  //  1 box 2
    {100, 425, 167},  //  2 box 3
    {100, 565, 167},  //  3 box 4
    {100, 425, 234},  //  4 box 5
    {100, 565, 234},  //  5 box 6
    {200,  83,  88},  //  6 payer name
    {200,  83, 108},  //  7 payer address
    {200,  83, 128},  //  8 payer city-state-zip
    {100,  83, 233},  //  9 payer TIN
    { 10, 318,  35},  // 10 corrected mark
    { 10, 510, 283},  // 11 direct sales mark (getLine9_Misc)
    {100, 563, 281},  // 12 box 8
    {100, 425, 330},  // 13 box 9
    {100, 565, 330},  // 14 box 10
    {100, 425, 380},  // 15 box 11
    {100, 565, 380},  // 16 box 12
    {100, 425, 431},  // 17 box 14
    {100, 565, 431},  // 18 box 15
    {100, 250, 233},  // 19 recipient TIN
    {100,  82, 477},  // 20 account number
    {200,  83, 280},  // 21 recipient name
    {200,  83, 330},  // 22 recipient address
    {200,  83, 380},  // 23 recipient city-state-zip-country
    {100, 415, 465},  // 24 box 16-1
    {100, 415, 484},  // 25 box 16-2
    {100, 550, 465},  // 26 box 17-1
    {100, 550, 484},  // 27 box 17-2
    {100, 685, 465},  // 28 box 18-1
    {100, 685, 484},  // 29 box 18-2
    { 10, 352, 465},  // 30 second TIN notice mark
    { 10, 240,  35},  // 31 void mark
    {200,  83, 150},  // 32 payer phone
    { 10, 352, 432},  // 33 FATCA mark
    {100, 565, 135},  // 34 tax year
};

// 1096
constexpr Row k1096[] = {
    {150,  80, 135},  //  0 filer name
    {150,  80, 190},  //  1 filer address
    {150,  80, 230},  //  2 filer city-st-zip
    {150,  60, 264},  //  3 contact name
    {150, 395, 264},  //  4 contact phone
    {150, 395, 300},  //  5 fax
    {150,  60, 300},  //  6 email
    {150,  60, 334},  //  7 payer TIN when it is an employer identification number
    {120, 377, 334},  //  8 number of forms
    { 75, 470, 334},  //  9 federal income tax withheld
    {100, 615, 334},  // 10 total amount reported
    { 10, 626, 394},  // 11 1099-DIV check box
    { 10, 703, 394},  // 12 1099-INT check box
    { 10, 151, 440},  // 13 1099-MISC check box
    { 10, 193, 440},  // 14 1099-NEC check box
    { 10, 405, 440},  // 15 1099-R check box
    { 10, 448, 440},  // 16 1099-S check box
    {120, 216, 333},  // 17 payer TIN when it is a social security number
};

// 1099-NEC
constexpr Row k1099Nec[] = {
    { 10, 222,  17},  //  0 void mark
    { 10, 301,  17},  //  1 corrected mark
    {200,  84,  51},  //  2 payer name
    {200,  84,  70},  //  3 payer address
    {200,  84,  91},  //  4 payer city, state and ZIP
    {200,  84, 108},  //  5 payer phone
    {100,  70, 148},  //  6 payer TIN
    {100, 245, 148},  //  7 recipient TIN
    {100, 425, 149},  //  8 box 1
    {200,  70, 187},  //  9 recipient name
    {200,  70, 230},  // 10 recipient address
    {280,  70, 263},  // 11 recipient city, state, ZIP and country
    {100, 631, 186},  // 12 box 2 direct sales mark
    {100,  70, 299},  // 13 account number
    {100, 335, 302},  // 14 second TIN notice mark
    {100, 425, 220},  // 15 box 3
    {100, 425, 250},  // 16 box 4
    {100, 400, 282},  // 17 box 5, first line
    {100, 400, 302},  // 18 box 5, second line
    {100, 500, 282},  // 19 box 6, first line
    {100, 500, 302},  // 20 box 6, second line
    {100, 670, 282},  // 21 box 7, first line
    {100, 670, 302},  // 22 box 7, second line
    {100, 570, 118},  // 23 tax year
};

// 1099-INT
constexpr Row k1099Int[] = {
    { 10, 240,  34},  //  0 void mark
    { 10, 321,  34},  //  1 corrected mark
    {100, 410,  80},  //  2 payer rtn
    {100, 410, 131},  //  3 box 1
    {100, 410, 181},  //  4 box 2
    {100, 410, 231},  //  5 box 3
    {100, 410, 265},  //  6 box 4
    {100, 550, 265},  //  7 box 5
    {100, 410, 298},  //  8 box 6
    {100, 550, 298},  //  9 box 7
    {100, 410, 346},  // 10 box 8
    {100, 550, 346},  // 11 box 9
    {100, 410, 480},  // 12 box 14
    {200,  82,  84},  // 13 payer name
    {200,  82, 105},  // 14 payer address
    {200,  82, 125},  // 15 payer city-state-zip
    {100,  82, 231},  // 16 payer TIN
    {100, 246, 231},  // 17 recipient TIN
    {200,  83, 281},  // 18 recipient name
    {200,  83, 331},  // 19 recipient address
    {245,  83, 376},  // 20 recipient city-state-zip-phone
    {100,  83, 477},  // 21 account number
    { 10, 355, 463},  // 22 second TIN notice mark
    {200,  83, 150},  // 23 payer phone
    { 30, 541, 466},  // 24 box 15, first line
    { 70, 583, 466},  // 25 box 16, first line
    {100, 688, 466},  // 26 box 17, first line
    { 30, 541, 485},  // 27 box 15, second line
    { 70, 583, 485},  // 28 box 16, second line
    {100, 688, 485},  // 29 box 17, second line
    {100, 410, 395},  // 30 box 10
    {100, 550, 395},  // 31 box 11
    { 10, 355, 431},  // 32 FATCA mark
    {100, 410, 430},  // 33 box 12
    {100, 550, 430},  // 34 box 13
    {100, 570, 133},  // 35 tax year
};

// 1099-DIV
constexpr Row k1099Div[] = {
    { 10, 239,  35},  //  0 void mark
    { 10, 319,  35},  //  1 corrected mark
    {100, 415,  79},  //  2 box 1a
    {100, 415, 128},  //  3 box 1b
    {100, 415, 168},  //  4 box 2a
    {100, 560, 168},  //  5 box 2b
    {100, 415, 200},  //  6 box 2c
    {100, 560, 200},  //  7 box 2d
    {100, 415, 233},  //  8 box 2e
    {100, 560, 233},  //  9 box 2f
    {100, 415, 265},  // 10 box 3
    {100, 560, 265},  // 11 box 4
    {100, 560, 299},  // 12 box 6
    {100, 415, 348},  // 13 box 7
    {100, 560, 348},  // 14 box 8
    {100, 415, 381},  // 15 box 9
    {100, 560, 381},  // 16 box 10
    {200,  83,  85},  // 17 payer name
    {200,  83, 110},  // 18 payer address
    {200,  83, 135},  // 19 payer city-state-zip
    {100,  83, 232},  // 20 payer TIN
    {100, 250, 232},  // 21 recipient TIN
    {100,  83, 480},  // 22 account number
    {200,  83, 285},  // 23 recipient name
    {200,  83, 335},  // 24 recipient address
    {200,  83, 370},  // 25 recipient city-state-zip-phone
    { 10, 344, 467},  // 26 second TIN notice mark
    {200,  83, 160},  // 27 payer phone
    {100, 420, 430},  // 28 box 11
    {100, 560, 430},  // 29 box 12
    { 30, 410, 466},  // 30 box 13, first line
    { 70, 443, 466},  // 31 box 14, first line
    {100, 562, 466},  // 32 box 15, first line
    { 30, 410, 484},  // 33 box 13, second line
    { 70, 443, 484},  // 34 box 14, second line
    {100, 562, 484},  // 35 box 15, second line
    { 10, 344, 434},  // 36 FATCA mark
    {100, 420, 298},  // 37 box 5
    {100, 560, 133},  // 38 tax year
};

// 1099-R
constexpr Row k1099R[] = {
    { 10, 239,  34},  //  0 void mark
    { 10, 318,  34},  //  1 corrected mark
    {100, 425,  80},  //  2 box 1
    {100, 425, 133},  //  3 box 2a
    { 10, 499, 165},  //  4 box 2b first check box mark
    { 10, 620, 165},  //  5 box 2b second check box mark
    {100, 415, 232},  //  6 box 3
    {100, 555, 232},  //  7 box 4
    {100, 415, 298},  //  8 box 5
    {100, 555, 298},  //  9 box 6
    { 60, 425, 348},  // 10 box 7
    { 10, 505, 348},  // 11 box 7 check box mark
    { 60, 545, 348},  // 12 box 8
    { 20, 628, 348},  // 13 box 8 percentage
    {100, 485, 381},  // 14 box 9a
    {100, 555, 381},  // 15 box 9b
    {100,  93, 428},  // 16 box 10
    {100, 245, 428},  // 17 box 11
    {100, 410, 413},  // 18 box 14-1
    {100, 410, 433},  // 19 box 14-2
    {100, 550, 413},  // 20 box 15-1
    {100, 550, 433},  // 21 box 15-2
    {100, 682, 413},  // 22 box 16-1
    {100, 682, 433},  // 23 box 16-2
    {100, 410, 463},  // 24 box 17-1
    {100, 410, 481},  // 25 box 17-2
    {100, 555, 463},  // 26 box 18-1
    {100, 555, 481},  // 27 box 18-2
    {100, 685, 463},  // 28 box 19-1
    {100, 685, 481},  // 29 box 19-2
    {200,  80,  85},  // 30 payer name
    {200,  80, 110},  // 31 payer address
    {200,  80, 130},  // 32 payer city-state-zip
    {100,  88, 231},  // 33 payer TIN
    {100, 250, 231},  // 34 recipient TIN
    {100,  88, 478},  // 35 account number
    {200,  80, 282},  // 36 recipient name
    {200,  80, 342},  // 37 recipient address
    {200,  80, 378},  // 38 recipient city-state-zip
    {200,  80, 148},  // 39 payer phone
    {100, 344, 431},  // 40 FATCA mark
    {100, 315, 474},  // 41 date of payment
};

// 1099-S
constexpr Row k1099S[] = {
    { 10, 238,  34},  //  0 void mark
    { 10, 318,  34},  //  1 corrected mark
    {100, 425,  82},  //  2 box 1
    {100, 425, 134},  //  3 box 2
    {120, 425, 167},  //  4 box 3 address
    {100, 425, 195},  //  5 box 3 city
    { 30, 550, 195},  //  6 box 3 state
    { 30, 575, 195},  //  7 box 3 ZIP
    { 10, 646, 231},  //  8 mark of getS_Line4
    {100, 423, 313},  //  9 box 6
    {200,  84,  68},  // 10 filer name
    {200,  84,  92},  // 11 filer address
    {200,  84, 112},  // 12 filer city-state-zip
    {100,  84, 164},  // 13 filer TIN
    {100, 252, 164},  // 14 transferor TIN
    {200,  84, 208},  // 15 transferor name
    {200,  84, 244},  // 16 transferor address
    {200,  84, 278},  // 17 transferor city-state-zip
    {100,  84, 313},  // 18 account number
    {200,  84, 128},  // 19 filer phone
    { 10, 648, 265},  // 20 mark of getS_Line6
    {100, 580, 133},  // 21 tax year
};

// 1099-MISC, four per sheet
constexpr Row k1099Misc4Up[] = {
    {100,  52,  38},  //  0 getLine1_Misc
    {100, 177,  38},  //  1 getLine2_Misc
    {100,  52,  62},  //  2 getLine3_Misc
    {100, 177,  62},  //  3 getLine4_Misc
    {100,  54,  87},  //  4 getLine5_Misc
    {100, 177,  87},  //  5 getLine6_Misc
    {100,  57, 121},  //  6 payer name
    {100,  57, 133},  //  7 payer address
    {100,  57, 145},  //  8 payer city, state and ZIP
    {100,  57, 183},  //  9 payer TIN
    {100, 252, 384},  // 10 corrected mark
    {100, 180, 209},  // 11 getLine7_Misc
    {100,  57, 210},  // 12 getLine8_Misc
    {100, 253, 184},  // 13 direct sales mark (getLine9_Misc)
    {100,  57, 232},  // 14 getLine10_Misc
    {100, 177, 233},  // 15 getLine11_Misc
    {100,  57, 258},  // 16 getLine12_Misc
    {100,  57, 282},  // 17 (not printed)
    {100, 177, 282},  // 18 getLine14_Misc
    {100, 110, 322},  // 19 tax year
    {100,  57, 407},  // 20 recipient TIN
    {100, 157, 407},  // 21 account number
    {100, 177, 283},  // 22 (not printed)
    {100,  57, 313},  // 23 (not printed)
    {100,  49, 346},  // 24 recipient name
    {100,  49, 357},  // 25 recipient address
    {100,  49, 368},  // 26 recipient city, state, ZIP and country
    {100, 173, 309},  // 27 getLine16_1_Misc
    {100, 173, 319},  // 28 getLine16_2_Misc
    {100,  45, 435},  // 29 getLine17_1_Misc
    {100,  45, 445},  // 30 getLine17_2_Misc
    {100, 177, 435},  // 31 getLine18_1_Misc
    {100, 177, 445},  // 32 getLine18_2_Misc
    { 10, 243, 459},  // 33 second TIN notice mark
    { 10, 199, 384},  // 34 void mark
    {100,  57, 157},  // 35 payer phone
    {100, 253, 258},  // 36 FATCA mark
};

// 1099-INT, four per sheet
constexpr Row k1099Int4Up[] = {
    {100,  50,  37},  //  0 getInt_Line1
    {100, 165,  37},  //  1 getInt_Line2
    {100,  50,  60},  //  2 getInt_Line3
    {100, 165,  62},  //  3 getInt_Line4
    {100, 163, 440},  //  4 payer RTN
    {100,  50, 184},  //  5 payer TIN
    {100,  50, 122},  //  6 payer name
    {100,  50, 134},  //  7 payer address
    {100,  50, 144},  //  8 payer city, state and ZIP
    {100,  50, 155},  //  9 payer phone
    {100,  50,  87},  // 10 getInt_Line5
    {100, 165,  87},  // 11 getInt_Line6
    {100, 165, 184},  // 12 getInt_Line7
    {100,  50, 208},  // 13 getInt_Line8
    {100, 165, 208},  // 14 getInt_Line9
    {100,  50, 232},  // 15 getInt_Line10
    {100, 165, 232},  // 16 getInt_Line11
    {100, 165, 273},  // 17 getInt_Line12
    {100,  50, 298},  // 18 state code from getInt_Line13_1
    {100,  50, 308},  // 19 state code from getInt_Line13_2
    {100, 165, 298},  // 20 getInt_Line14_1
    {100, 165, 308},  // 21 getInt_Line14_2
    {100, 252, 384},  // 22 corrected mark
    {100, 244, 459},  // 23 second TIN notice mark
    {100, 199, 386},  // 24 void mark
    {100,  39, 339},  // 25 recipient name
    {100,  39, 349},  // 26 recipient address
    {115,  39, 360},  // 27 recipient city, state, ZIP and country
    {100,  50, 436},  // 28 getInt_Line15_1
    {100,  50, 446},  // 29 getInt_Line15_2
    {100, 110, 322},  // 30 tax year
    {100,  50, 408},  // 31 recipient TIN
    {100, 160, 408},  // 32 account number
    {100, 134, 460},  // 33 FATCA mark
    {100,  50, 259},  // 34 getInt_Line17
    {100, 165, 259},  // 35 getInt_Line16
};

// 1099-NEC, four per sheet
constexpr Row k1099Nec4Up[] = {
    {100,  75,  41},  //  0 getLine1_NEC
    {100, 242,  84},  //  1 direct sales mark (getNec_Line2_2)
    {100,  55, 121},  //  2 payer name
    {100,  55, 133},  //  3 payer address
    {100,  55, 144},  //  4 payer city, state and ZIP
    {100,  55, 154},  //  5 payer phone
    {100,  65, 190},  //  6 payer TIN
    {100, 199, 197},  //  7 corrected mark
    {100,  75, 220},  //  8 getLine3_NEC
    {100,  75, 245},  //  9 getLine4_NEC
    {100,  65, 270},  // 10 getLine5_1_NEC
    {100,  65, 280},  // 11 getLine5_2_NEC
    {280, 160, 270},  // 12 getLine6_1_NEC
    {100, 160, 280},  // 13 getLine6_2_NEC
    {100, 160, 308},  // 14 getLine7_1_NEC
    {100, 160, 318},  // 15 getLine7_2_NEC
    {115,  38, 337},  // 16 recipient name
    {115,  38, 350},  // 17 recipient address
    {115,  38, 363},  // 18 recipient city, state, ZIP and country
    {100,  60, 412},  // 19 recipient TIN
    {100, 162, 415},  // 20 account number
    {100, 130, 427},  // 21 FATCA mark
    {100, 245, 435},  // 22 second TIN notice mark
    {100, 120, 323},  // 23 tax year
    {100, 248, 197},  // 24 void mark
};

WX_FMT::Layout build(std::span<const Row> rows) {
    WX_FMT::Layout layout;
    layout.reserve(rows.size());
    for (const Row& r : rows) layout.push_back(WX_FMT::InitParam(0, 0, 1, r.width, r.x, r.y));
    return layout;
}

}  // namespace

WX_FMT::Layout WX_FMT::InitWX_1099_2UP_FMT() { return WX_1099_2UP_FMT_ = build(k1099Misc2Up); }
WX_FMT::Layout WX_FMT::InitWX_1099_4UP_FMT1() { return WX_1099_4UP_FMT1_ = build(k1099Misc4Up); }
WX_FMT::Layout WX_FMT::InitWX_1096_FMT() { return WX_1096_FMT_ = build(k1096); }
WX_FMT::Layout WX_FMT::InitWX_1099_INT_FMT() { return WX_1099_INT_FMT_ = build(k1099Int); }
WX_FMT::Layout WX_FMT::InitWX_1099_S_FMT() { return WX_1099_S_FMT_ = build(k1099S); }
WX_FMT::Layout WX_FMT::InitWX_1099_DIV_FMT() { return WX_1099_DIV_FMT_ = build(k1099Div); }
WX_FMT::Layout WX_FMT::InitWX_1099_R_FMT() { return WX_1099_R_FMT_ = build(k1099R); }
WX_FMT::Layout WX_FMT::InitWX_1099_INT_4UP_FMT() { return WX_1099_4Up_INT_FMT_ = build(k1099Int4Up); }
WX_FMT::Layout WX_FMT::InitWX_1099_NEC_FMT() { return WX_1099_NEC_FMT_ = build(k1099Nec); }
WX_FMT::Layout WX_FMT::InitWX_1099_NEC_4UP_FMT() { return WX_1099_4UP_NEC_FMT_ = build(k1099Nec4Up); }
