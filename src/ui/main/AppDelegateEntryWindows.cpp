// The main window's references to the open recipient entry windows.

#include "ui/entry/INTFrame.h"
#include "ui/entry/MISCFrame.h"
#include "ui/entry/NECFrame.h"
#include "ui/main/AppDelegate.h"

MISCFrame* AppDelegate::Miscframe() const { return Miscframe_; }
void AppDelegate::setMiscframe(MISCFrame* window) { Miscframe_ = window; }
NECFrame* AppDelegate::NECframe() const { return NECframe_; }
void AppDelegate::setNECframe(NECFrame* window) { NECframe_ = window; }
INTFrame* AppDelegate::Int() const { return Int_; }
void AppDelegate::setInt(INTFrame* window) { Int_ = window; }
