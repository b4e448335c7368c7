#pragma once

// The text of a value being evaluated: it grows at both ends in amortised
// constant time per character, and counts every character it copies.

#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace veltrano::reader {

// A growing text with free room at both ends, so that a variable built up
// line by line at its end (Msg = Msg & "x") or at its front (Msg = "x" & Msg)
// grows in place in amortised constant time per character. Every character
// copied, also when the text moves to a larger buffer, is added to `work`, so
// that the caller's budget sees all copying.
class Text {
public:
    Text() = default;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    Text(Text&& other) noexcept { *this = std::move(other); }
    Text& operator=(Text&& other) noexcept {
        m_buf = std::move(other.m_buf);
        m_begin = std::exchange(other.m_begin, 0);
        m_end = std::exchange(other.m_end, 0);
        other.m_buf.clear();
        return *this;
    }

    qsizetype size() const { return qsizetype(m_end - m_begin); }
    const char16_t* data() const { return m_buf.data() + m_begin; }

    void append(const char16_t* p, qsizetype n, qsizetype& work) {
        if (n <= 0) {
            return;
        }
        if (m_buf.size() - m_end < std::size_t(n)) {
            grow(std::size_t(n), false, work);
        }
        std::copy(p, p + n, m_buf.data() + m_end);
        m_end += std::size_t(n);
        work += n;
    }

    void prepend(const char16_t* p, qsizetype n, qsizetype& work) {
        if (n <= 0) {
            return;
        }
        if (m_begin < std::size_t(n)) {
            grow(std::size_t(n), true, work);
        }
        m_begin -= std::size_t(n);
        std::copy(p, p + n, m_buf.data() + m_begin);
        work += n;
    }

private:
    // Moves the text into a buffer about twice as large, with room for n more
    // characters at the front or at the back and most of the rest on that
    // side too.
    void grow(std::size_t n, bool atFront, qsizetype& work) {
        const std::size_t size = m_end - m_begin;
        const std::size_t capacity = 2 * (size + n) + 32;
        const std::size_t spare = capacity - size - n;
        const std::size_t begin = atFront ? n + spare * 3 / 4 : spare / 4;
        std::vector<char16_t> buf(capacity);
        std::copy(m_buf.data() + m_begin, m_buf.data() + m_end, buf.data() + begin);
        work += qsizetype(size);
        m_buf = std::move(buf);
        m_begin = begin;
        m_end = begin + size;
    }

    std::vector<char16_t> m_buf;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
};

} // namespace veltrano::reader
