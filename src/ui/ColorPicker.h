#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

// The platform's colour picker, run through ModalSeam so that tests can answer it.
class ColorPicker {
public:
    // The colour the user confirmed; nullopt when the picker was cancelled.
    static std::optional<QColor> pick(const QColor& initial, const QString& prompt,
                                      QWidget* parent);
};
