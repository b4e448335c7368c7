#pragma once

// How the parts of the code reader report a failure: every step that can
// fail returns a Result, which holds either its value or the Failure, with
// its place in the source and a German reason. The type is [[nodiscard]], so
// the compiler reports any result left unchecked.

#include <QString>

#include <utility>
#include <variant>

namespace veltrano::reader {

// Why reading failed, and where. Most failures end only the expression they
// arise in: an assignment whose value cannot be evaluated leaves its variable
// unknown, with `root` as the cause, and the reading goes on. A fatal failure
// (a value too long, the work budget spent, a broken token the reading
// reached) ends the whole reading.
struct Failure {
    qsizetype offset = 0; // into the source
    QString reason;       // German, without the position
    QString root;         // the cause a variable assigned from the expression keeps
    bool fatal = false;
};

inline Failure refusal(qsizetype offset, const QString& reason) {
    return {offset, reason, reason, false};
}

inline Failure fatalRefusal(qsizetype offset, const QString& reason) {
    return {offset, reason, reason, true};
}

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& operator*() { return *std::get_if<0>(&m_state); }
    const T& operator*() const { return *std::get_if<0>(&m_state); }
    T* operator->() { return std::get_if<0>(&m_state); }
    const T* operator->() const { return std::get_if<0>(&m_state); }

    const Failure& failure() const& { return *std::get_if<1>(&m_state); }
    Failure failure() && { return std::move(*std::get_if<1>(&m_state)); }

private:
    std::variant<T, Failure> m_state;
};

// The value of a step that gives nothing but success.
struct Done {};
using Status = Result<Done>;

inline Status done() {
    return Done{};
}

} // namespace veltrano::reader
