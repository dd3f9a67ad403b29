#include "ui/UiTestMain.h"

int main(int argc, char** argv) { return uitest::runUiTests(argc, argv); }
