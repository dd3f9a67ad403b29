#pragma once

#include <cstdint>

// One row of the main window's recipient list: which recipient, of which form kind,
// the row shows.
class recipient_PK_Map {
public:
    recipient_PK_Map() = default;
    recipient_PK_Map(int32_t recipientPK, int32_t recipientType, int32_t location)
        : recipientPK_(recipientPK), recipientType_(recipientType), locationInRecipientList_(location) {}

    int32_t recipientPK() const { return recipientPK_; }
    int32_t getrecipientPK() const { return recipientPK_; }
    void setRecipientPK(int32_t v) { recipientPK_ = v; }
    int32_t recipientType() const { return recipientType_; }
    int32_t getrecipientType() const { return recipientType_; }
    void setRecipientType(int32_t v) { recipientType_ = v; }
    int32_t locationInRecipientList() const { return locationInRecipientList_; }
    int32_t getlocationInRecipientList() const { return locationInRecipientList_; }
    void setLocationInRecipientList(int32_t v) { locationInRecipientList_ = v; }

private:
    int32_t recipientPK_ = -1;
    int32_t recipientType_ = -1;
    int32_t locationInRecipientList_ = -1;
};
