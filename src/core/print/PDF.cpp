#include "core/print/PDF.h"

#include <cstdio>

#include "core/foundation/AsciiFallback.h"
#include "core/print/FileWrap.h"

namespace {

std::string num(int64_t value) { return std::to_string(value); }

}  // namespace

// ---- text ----

std::string PDF::printableText(const std::string& text) {
    if (isAscii(text)) return text;
    const std::string folded = asciiFallback(text);
    std::string out;
    out.reserve(folded.size());
    for (std::size_t i = 0; i < folded.size();) {
        const unsigned char c = static_cast<unsigned char>(folded[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        // One "?" for each character left outside ASCII (its whole UTF-8 sequence).
        std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        std::size_t k = 1;
        while (k < length && i + k < folded.size() &&
               (static_cast<unsigned char>(folded[i + k]) & 0xC0) == 0x80)
            ++k;
        out += '?';
        i += k;
    }
    return out;
}

std::string PDF::escapedText(const std::string& text) {
    const std::string plain = printableText(text);
    std::string out;
    out.reserve(plain.size() + 8);
    for (char c : plain) {
        const bool escape = c == '(' || c == ')' || c == '\\';
        if (out.size() + (escape ? 2 : 1) > kMaxTextBytes) break;
        if (escape) out += '\\';
        out += c;
    }
    return out;
}

// ---- pages and drawing ----

void PDF::put(const std::string& line) {
    // Drawing needs a page; before the first one there is nothing to draw on.
    if (!pageflag_ || PageBuf_.empty()) return;
    std::string& page = PageBuf_.back();
    page += line;
    page += '\n';
}

void PDF::AddPage() {
    if (Page_ >= kMaxPages) return;
    ++Page_;
    pageflag_ = true;
    PageBuf_.emplace_back();
    if (!FontFamily_.empty()) SetFont(FontFamily_, FontSize_);
    if (LineWidth_ != 1) SetLineWidth(LineWidth_);
}

void PDF::SetFont(const std::string& name, int32_t size) {
    int32_t position = 0;
    for (int32_t i = 0; i < 5; ++i)
        if (name == FONTS[i]) {
            position = i;
            break;
        }
    int32_t resource = 0;
    for (std::size_t i = 0; i < FontIndex_.size(); ++i)
        if (FontIndex_[i] == position) {
            resource = static_cast<int32_t>(i) + 1;
            break;
        }
    if (resource == 0) {
        FontIndex_.push_back(position);
        resource = ++NumFont_;
    }
    FontFamily_ = name;
    FontSize_ = size;
    if (pageflag_) put("/F" + num(resource) + " " + num(size) + " Tf");
}

void PDF::SetLineWidth(int32_t width) {
    LineWidth_ = width;
    if (pageflag_) put(num(width) + " w");
}

void PDF::TextOut(int32_t x, int32_t y, const std::string& text) {
    if (!pageflag_) return;
    put("BT " + num(x) + " " + num(int64_t(Height_) - y) + " Td (" + escapedText(text) + ") Tj ET");
}

void PDF::LineOut(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    put(num(x1) + " " + num(int64_t(Height_) - y1) + " m " + num(x2) + " " + num(int64_t(Height_) - y2) + " l S");
}

void PDF::RectOut(int32_t x, int32_t y, int32_t width, int32_t height) {
    put(num(x) + " " + num(int64_t(Height_) - y) + " " + num(width) + " " + num(-int64_t(height)) + " re S");
}

// ---- the document ----

void PDF::putDoc(const std::string& line) {
    Buffer_ += line;
    Buffer_ += '\n';
}

void PDF::recordOffset(int32_t object) {
    if (ObjOffset_.size() < static_cast<std::size_t>(object)) ObjOffset_.resize(object, 0);
    ObjOffset_[object - 1] = static_cast<int64_t>(Buffer_.size());
}

int32_t PDF::NewObj() {
    const int32_t object = ++NumObject_;
    recordOffset(object);
    putDoc(num(object) + " 0 obj");
    return object;
}

bool PDF::PutDoc(const std::string& path) {
    pageflag_ = false;
    Buffer_.clear();
    ObjOffset_.clear();
    FontObj_.clear();
    std::size_t contentBytes = 0;
    for (const std::string& page : PageBuf_) contentBytes += page.size();
    Buffer_.reserve(contentBytes + PageBuf_.size() * 120 + 1024);

    putDoc("%PDF-1.7");

    // Pages: each one's object and its content stream.
    for (int32_t k = 1; k <= Page_; ++k) {
        NewObj();
        putDoc("<</Type /Page");
        putDoc("/Parent 1 0 R");
        putDoc("/Resources 2 0 R");
        putDoc("/Contents " + num(NumObject_ + 1) + " 0 R>>");
        putDoc("endobj");
        const std::string& content = PageBuf_[static_cast<std::size_t>(k - 1)];
        NewObj();
        putDoc("<</Length " + num(static_cast<int64_t>(content.size())) + ">>");
        putDoc("stream");
        Buffer_ += content;
        putDoc("");
        putDoc("endstream");
        putDoc("endobj");
    }

    // The page tree.
    recordOffset(1);
    putDoc("1 0 obj");
    putDoc("<</Type /Pages");
    std::string kids = "/Kids [";
    for (int32_t k = 1; k <= Page_; ++k) kids += num(2 * k + 1) + " 0 R ";
    kids += "]";
    putDoc(kids);
    putDoc("/Count " + num(Page_));
    putDoc("/MediaBox [0 0 " + num(Width_) + " " + num(Height_) + "]>>");
    putDoc("endobj");

    // The fonts, in the order of their first use.
    for (int32_t position : FontIndex_) {
        FontObj_.push_back(NewObj());
        putDoc("<</Type /Font");
        putDoc(std::string("/BaseFont /") + FONTS[position]);
        putDoc("/Subtype /Type1");
        putDoc("/Encoding /StandardEncoding>>");
        putDoc("endobj");
    }

    // The resources.
    recordOffset(2);
    putDoc("2 0 obj");
    putDoc("<</ProcSet [/PDF /Text]");
    putDoc("/Font <<");
    for (std::size_t i = 0; i < FontObj_.size(); ++i)
        putDoc("/F" + num(static_cast<int64_t>(i) + 1) + " " + num(FontObj_[i]) + " 0 R");
    putDoc(">>>>");
    putDoc("endobj");

    // The document information and the catalog.
    NewObj();
    putDoc("<</Producer (Talvexa)>>");
    putDoc("endobj");
    NewObj();
    putDoc("<</Type /Catalog/Pages 1 0 R>>");
    putDoc("endobj");

    // The cross-reference table and the trailer.
    const int32_t objects = NumObject_;
    const int64_t xref = static_cast<int64_t>(Buffer_.size());
    putDoc("xref");
    putDoc("0 " + num(objects + 1));
    putDoc("0000000000 65535 f ");
    char entry[32];
    for (int32_t i = 0; i < objects; ++i) {
        std::snprintf(entry, sizeof entry, "%010lld 00000 n ", static_cast<long long>(ObjOffset_[i]));
        putDoc(entry);
    }
    putDoc("trailer<<");
    putDoc("/Size " + num(objects + 1));
    putDoc("/Root " + num(objects) + " 0 R");
    putDoc("/Info " + num(objects - 1) + " 0 R");
    putDoc(">>");
    putDoc("startxref");
    putDoc(num(xref));
    putDoc("%%EOF");

    FileWrap file;
    bool written = file.Open(path) && file.Write(Buffer_.data(), Buffer_.size());
    written = file.Close() && written;
    lastError_ = written ? std::string() : file.error();

    clear();
    return written;
}

void PDF::clear() {
    Page_ = 0;
    NumFont_ = 0;
    FontFamily_.clear();
    FontSize_ = -1;
    NumObject_ = 2;
    Buffer_.clear();
    Buffer_.shrink_to_fit();
    PageBuf_.clear();
    FontIndex_.clear();
}
