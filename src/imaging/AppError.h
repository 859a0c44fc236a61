// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <stdexcept>

// Errors are exceptions carrying the text the user sees. Each user action catches them and
// shows the message the way that action prescribes.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const noexcept { return message_; }

private:
    QString message_;
};

// A graphic kind refused to take over another kind's picture (the caller may go through a
// bitmap instead, or tell the user the conversion failed).
class ConvertError : public AppError {
public:
    using AppError::AppError;
};
