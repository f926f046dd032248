#include "ui/scan/SaneDevice.h"

#include "ui/scan/ScanImage.h"

#include <array>
#include <cmath>
#include <cstring>

namespace {

double FromWord(const SANE_Option_Descriptor& d, SANE_Word word)
{
    return d.type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : static_cast<double>(word);
}

}  // namespace

SaneDevice::~SaneDevice()
{
    sane_cancel(m_handle);
    sane_close(m_handle);
}

int SaneDevice::Index(const std::string& option) const
{
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, i);
        if (!d) return -1;
        if (d->name && option == d->name) return i;
    }
}

const SANE_Option_Descriptor* SaneDevice::Descriptor(const std::string& option) const
{
    const int index = Index(option);
    return index < 0 ? nullptr : sane_get_option_descriptor(m_handle, index);
}

std::vector<std::string> SaneDevice::Choices(const std::string& option) const
{
    std::vector<std::string> choices;
    const SANE_Option_Descriptor* d = Descriptor(option);
    if (!d || d->constraint_type != SANE_CONSTRAINT_STRING_LIST) return choices;
    for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s) choices.emplace_back(*s);
    return choices;
}

std::optional<std::pair<double, double>> SaneDevice::Range(const std::string& option) const
{
    const SANE_Option_Descriptor* d = Descriptor(option);
    if (!d) return std::nullopt;
    if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
        return std::pair{FromWord(*d, d->constraint.range->min), FromWord(*d, d->constraint.range->max)};
    }
    const std::vector<double> values = Values(option);
    if (values.empty()) return std::nullopt;
    return std::pair{values.front(), values.back()};
}

std::vector<double> SaneDevice::Values(const std::string& option) const
{
    std::vector<double> values;
    const SANE_Option_Descriptor* d = Descriptor(option);
    if (!d || d->constraint_type != SANE_CONSTRAINT_WORD_LIST) return values;
    const SANE_Word* list = d->constraint.word_list;
    for (SANE_Word i = 1; i <= list[0]; ++i) values.push_back(FromWord(*d, list[i]));
    return values;
}

std::optional<double> SaneDevice::Number(const std::string& option) const
{
    const int index = Index(option);
    if (index < 0) return std::nullopt;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, index);
    if (d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED && d->type != SANE_TYPE_BOOL) return std::nullopt;
    if (d->size != static_cast<SANE_Int>(sizeof(SANE_Word))) return std::nullopt;  // vectors are not ours
    SANE_Word word = 0;
    if (sane_control_option(m_handle, index, SANE_ACTION_GET_VALUE, &word, nullptr) != SANE_STATUS_GOOD) {
        return std::nullopt;
    }
    return FromWord(*d, word);
}

std::optional<std::string> SaneDevice::Text(const std::string& option) const
{
    const int index = Index(option);
    if (index < 0) return std::nullopt;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, index);
    if (d->type != SANE_TYPE_STRING || d->size <= 0) return std::nullopt;
    std::vector<char> value(static_cast<std::size_t>(d->size) + 1, '\0');
    if (sane_control_option(m_handle, index, SANE_ACTION_GET_VALUE, value.data(), nullptr) != SANE_STATUS_GOOD) {
        return std::nullopt;
    }
    return std::string(value.data());
}

bool SaneDevice::SetNumber(const std::string& option, double value)
{
    const int index = Index(option);
    if (index < 0) return false;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, index);
    if (!SANE_OPTION_IS_SETTABLE(d->cap) || !SANE_OPTION_IS_ACTIVE(d->cap)) return false;
    SANE_Word word = 0;
    switch (d->type) {
    case SANE_TYPE_FIXED: word = SANE_FIX(value); break;
    case SANE_TYPE_INT: word = static_cast<SANE_Word>(std::lround(value)); break;
    case SANE_TYPE_BOOL: word = value != 0 ? SANE_TRUE : SANE_FALSE; break;
    default: return false;
    }
    return sane_control_option(m_handle, index, SANE_ACTION_SET_VALUE, &word, nullptr) == SANE_STATUS_GOOD;
}

bool SaneDevice::SetText(const std::string& option, const std::string& value)
{
    const int index = Index(option);
    if (index < 0) return false;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, index);
    if (d->type != SANE_TYPE_STRING || !SANE_OPTION_IS_SETTABLE(d->cap)) return false;
    std::vector<char> buffer(std::max<std::size_t>(static_cast<std::size_t>(d->size), value.size() + 1), '\0');
    std::memcpy(buffer.data(), value.c_str(), value.size());
    return sane_control_option(m_handle, index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr) ==
           SANE_STATUS_GOOD;
}

SaneDevice::Frame SaneDevice::Scan(const std::atomic<bool>& cancel, const std::function<void(int)>& progress)
{
    ScanImage image;
    std::array<SANE_Byte, 32768> buffer{};
    for (;;) {
        if (cancel) {
            sane_cancel(m_handle);
            return {SANE_STATUS_CANCELLED, {}};
        }
        if (const SANE_Status started = sane_start(m_handle); started != SANE_STATUS_GOOD) {
            sane_cancel(m_handle);
            return {started, {}};
        }
        SANE_Parameters parameters{};
        if (const SANE_Status got = sane_get_parameters(m_handle, &parameters); got != SANE_STATUS_GOOD) {
            sane_cancel(m_handle);
            return {got, {}};
        }
        image.BeginFrame(parameters);
        const long long expected = parameters.lines > 0
                                       ? static_cast<long long>(parameters.lines) * parameters.bytes_per_line
                                       : -1;
        long long read = 0;
        for (;;) {
            if (cancel) {
                sane_cancel(m_handle);
                return {SANE_STATUS_CANCELLED, {}};
            }
            SANE_Int length = 0;
            const SANE_Status status = sane_read(m_handle, buffer.data(), buffer.size(), &length);
            if (status == SANE_STATUS_EOF) break;
            if (status != SANE_STATUS_GOOD) {
                sane_cancel(m_handle);
                return {status, {}};
            }
            image.Append(buffer.data(), length);
            read += length;
            if (progress && expected > 0) progress(static_cast<int>(std::min(100LL, read * 100 / expected)));
        }
        if (parameters.last_frame) break;
    }
    // No sane_cancel after a whole image: a document feeder would drop its remaining
    // pages, and the next sane_start is what asks for the next one.
    std::vector<std::uint8_t> dib = image.ToDib();
    return {dib.empty() ? SANE_STATUS_IO_ERROR : SANE_STATUS_GOOD, std::move(dib)};
}
