#include "ui/ModalSeam.h"

#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

ModalSeam::Responder& ModalSeam::responder() {
    static Responder current;
    return current;
}

void ModalSeam::setResponder(Responder responder) { ModalSeam::responder() = std::move(responder); }

int ModalSeam::exec(QDialog& dialog) {
    if (Responder answer = responder()) {
        QPointer<QDialog> guarded(&dialog);
        QTimer::singleShot(0, &dialog, [guarded, answer] {
            if (guarded && guarded->isVisible())
                answer(*guarded);
        });
    }
    return dialog.exec();
}

void ModalSeam::information(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Meandrolith"), text, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setWindowModality(Qt::ApplicationModal);
    exec(box);
}
