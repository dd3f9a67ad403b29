#include "ui/support/HandOffs.h"

HandOffs& handOffs() {
    static HandOffs table;
    return table;
}
