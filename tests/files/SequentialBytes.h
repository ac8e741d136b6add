#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>

// Bytes that cannot tell their size, like a pipe: readers must not rely on what is left.
class SequentialBytes : public QIODevice {
public:
    explicit SequentialBytes(const QByteArray& bytes) : m_bytes(bytes) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = std::min(maxSize, qint64(m_bytes.size()) - m_at);
        std::copy_n(m_bytes.constData() + m_at, n, data);
        m_at += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_at = 0;
};
