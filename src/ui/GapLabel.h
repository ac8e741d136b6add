#pragma once

#include <QLabel>

// A caption with a control laid over its run of spaces: the words after the run are drawn
// from a fixed position, so they never slide under the control whatever the font.
class GapLabel : public QLabel {
    Q_OBJECT
public:
    GapLabel(const QString& text, int wordsAfterGapAt, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_wordsAfterGapAt;
};
