#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace zev {

// Errors travel as values. A Status without a message is success; the message is the
// user-facing text that names what went wrong and where.
class [[nodiscard]] Status {
public:
    static Status success() { return Status(); }
    static Status failure(QString message) { return Status(std::move(message)); }

    bool ok() const { return !m_message.has_value(); }
    explicit operator bool() const { return ok(); }
    QString message() const { return m_message.value_or(QString()); }

private:
    Status() = default;
    explicit Status(QString message) : m_message(std::move(message)) {}
    std::optional<QString> m_message;
};

// A value or the message that says why there is none.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status failure) : m_error(failure.message()) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    // Only after ok(): the value of a failure is a programming error that stops the program with
    // the failure's message, in release builds too, rather than going on with a made-up value.
    const T& value() const& {
        check();
        return *m_value;
    }
    T& value() & {
        check();
        return *m_value;
    }
    T&& value() && {
        check();
        return std::move(*m_value);
    }
    const T* operator->() const {
        check();
        return &*m_value;
    }
    QString message() const { return m_error; }

private:
    void check() const {
        if (!m_value)
            qFatal("Result::value() of a failure: %s", qUtf8Printable(m_error));
    }

    std::optional<T> m_value;
    QString m_error;
};

} // namespace zev
