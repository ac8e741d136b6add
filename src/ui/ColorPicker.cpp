#include "ui/ColorPicker.h"

#include "ui/ModalSeam.h"

#include <QColorDialog>

std::optional<QColor> ColorPicker::pick(const QColor& initial, const QString& prompt,
                                        QWidget* parent) {
    QColorDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ColorPicker"));
    // A native picker would run outside ModalSeam and could not be answered by tests.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(prompt);
    dialog.setCurrentColor(initial);
    if (ModalSeam::exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}
