#pragma once

#include <QString>

#include <optional>
#include <utility>

// The outcome of an operation that can fail: success, or an error text that the
// caller shows as it is. Nothing is thrown.
class Status {
public:
    static Status success() { return Status(); }
    static Status failure(QString message) { return Status(std::move(message)); }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }

private:
    Status() = default;
    explicit Status(QString message) : m_failed(true), m_error(std::move(message)) {}

    bool m_failed = false;
    QString m_error;
};

// A value, or the error text that explains why there is none.
template <typename T>
class Result {
public:
    Result(T value) : m_value(std::move(value)) {}        // NOLINT: implicit on purpose
    Result(Status failure) : m_error(failure.error()) {}  // NOLINT
    static Result failure(QString message) { return Result(Status::failure(std::move(message))); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *m_value; }
    T &value() { return *m_value; }
    T take() { return std::move(*m_value); }
    const QString &error() const { return m_error; }
    Status status() const { return ok() ? Status::success() : Status::failure(m_error); }

private:
    std::optional<T> m_value;
    QString m_error;
};
