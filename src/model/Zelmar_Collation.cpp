#include "Zelmar_Collation.h"

#include <unicode/ucol.h>
#include <unicode/uiter.h>

#include <cctype>
#include <clocale>
#include <cstring>
#include <memory>
#include <mutex>

#include "Zelmar_Object_SearchEngine.h"

namespace {

struct TCloseCollator {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using TCollator = std::shared_ptr<UCollator>;

int Sign(int value) {
    return (value > 0) - (value < 0);
}

std::mutex gCollatorMutex;
// Under gCollatorMutex; a comparison holds its own reference. The second one leaves case aside.
TCollator gCollator;
TCollator gCaselessCollator;

TCollator Collator(bool caseless = false) {
    std::lock_guard<std::mutex> lock(gCollatorMutex);
    return caseless ? gCaselessCollator : gCollator;
}

TCollator Open(const std::string& locale, bool caseless) {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* opened = ucol_open(locale.c_str(), &status);
    if (U_FAILURE(status) || opened == nullptr) return nullptr;
    if (caseless) ucol_setStrength(opened, UCOL_SECONDARY);
    return TCollator(opened, TCloseCollator());
}

std::string AsciiLower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int IcuCompare(const UCollator* collator, const std::string& a, const std::string& b) {
    const std::string x = ZelmarShownTextAsUtf8(a);
    const std::string y = ZelmarShownTextAsUtf8(b);
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result =
        ucol_strcollUTF8(collator, x.data(), static_cast<int32_t>(x.size()), y.data(),
                         static_cast<int32_t>(y.size()), &status);
    if (U_FAILURE(status)) return Sign(a.compare(b));
    return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
}

bool LocaleIsC() {
    const char* name = std::setlocale(LC_COLLATE, nullptr);
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

std::uint64_t BigEndian(const unsigned char* bytes, std::size_t size) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) prefix = (prefix << 8) | (i < size ? bytes[i] : 0);
    return prefix;
}

// strxfrm's bytes order as strcoll orders the texts.
std::uint64_t LocalePrefix(const std::string& text) {
    char small[64];
    const std::size_t size = std::strxfrm(small, text.c_str(), sizeof small);
    if (size < sizeof small) return BigEndian(reinterpret_cast<unsigned char*>(small), size);
    std::string large(size + 1, '\0');
    std::strxfrm(&large[0], text.c_str(), large.size());
    return BigEndian(reinterpret_cast<const unsigned char*>(large.data()), size);
}

}  // namespace

void SetCollationLanguage(std::string_view code) {
    TCollator collator;
    TCollator caseless;
    if (!code.empty()) {
        const std::string locale = AsciiLower(std::string(code));
        collator = Open(locale, false);
        caseless = Open(locale, true);
    }
    std::lock_guard<std::mutex> lock(gCollatorMutex);
    gCollator = std::move(collator);
    gCaselessCollator = std::move(caseless);
}

bool CollationIsByteOrder() {
    return LocaleIsC() && Collator() == nullptr;
}

int CollateTexts(const std::string& a, const std::string& b) {
    if (!LocaleIsC()) return Sign(std::strcoll(a.c_str(), b.c_str()));
    const TCollator collator = Collator();
    if (collator == nullptr) return Sign(a.compare(b));
    return IcuCompare(collator.get(), a, b);
}

int CollateTextsIgnoringCase(const std::string& a, const std::string& b) {
    if (!LocaleIsC()) return Sign(std::strcoll(AsciiLower(a).c_str(), AsciiLower(b).c_str()));
    const TCollator collator = Collator(true);
    if (collator == nullptr) return Sign(AsciiLower(a).compare(AsciiLower(b)));
    return IcuCompare(collator.get(), a, b);
}

std::uint64_t CollationPrefix(const std::string& text) {
    if (!LocaleIsC()) return LocalePrefix(text);
    const TCollator collator = Collator();
    if (collator == nullptr)
        return BigEndian(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    const std::string shown = ZelmarShownTextAsUtf8(text);
    UCharIterator iterator;
    uiter_setUTF8(&iterator, shown.data(), static_cast<int32_t>(shown.size()));
    uint32_t state[2] = {0, 0};
    uint8_t key[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t size = ucol_nextSortKeyPart(collator.get(), &iterator, state, key, 8, &status);
    if (U_FAILURE(status)) return 0;  // the whole comparison decides then
    return BigEndian(key, static_cast<std::size_t>(size));
}
