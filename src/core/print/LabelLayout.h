#pragma once

#include <cstdint>
#include <string>
#include <vector>

class MailingLabelInfo;

// A mailing-label layout in hundredths of an inch: the first label's left and top
// edges, the size of a label, labels across the sheet and labels per recipient. A new
// one holds the default settings.
//
// The settings a user may store: left and top are decimal inches of 0 or more, width
// and height decimal inches above 0, across and repeat 1 to 9.
struct LabelLayout {
    int32_t left = 30;
    int32_t top = 20;
    int32_t width = 300;
    int32_t height = 100;
    int32_t across = 1;
    int32_t repeat = 1;

    // The layout of stored settings, with the default in place of each value that is
    // not one a user may store (older files may hold -1 or -2).
    static LabelLayout of(const MailingLabelInfo& stored);

    // The settings as typed: one line for each field that may not be stored, naming
    // it; empty when all may be stored.
    static std::vector<std::string> faults(const std::string& left, const std::string& top,
                                           const std::string& width, const std::string& height,
                                           const std::string& across, const std::string& repeat);

    // The largest number of labels across and per recipient.
    static constexpr int32_t kMaxCount = 9;
};
