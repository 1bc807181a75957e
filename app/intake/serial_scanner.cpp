#include "intake/serial_scanner.h"

#include <QSerialPortInfo>

#include "sjis/sjis.h"

namespace intake {
namespace {

constexpr char kEndOfFile = 0x1A;

}  // namespace

SerialScanner::SerialScanner(QObject* parent) : QObject(parent) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMs);
    connect(&quiet_, &QTimer::timeout, this, &SerialScanner::finishSymbol);
    connect(&port_, &QSerialPort::readyRead, this, &SerialScanner::readArrived);
}

QStringList SerialScanner::availablePorts() {
    QStringList paths;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        paths << info.systemLocation();
    return paths;
}

bool SerialScanner::open(const QString& path, qint32 baudRate) {
    close();
    settingsError_.clear();
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadOnly)) return false;
    if (!port_.setBaudRate(baudRate) || !port_.setDataBits(QSerialPort::Data8) ||
        !port_.setParity(QSerialPort::NoParity) || !port_.setStopBits(QSerialPort::OneStop)) {
        // The reason stays readable in errorText() after the port is closed again.
        settingsError_ = port_.errorString();
        port_.close();
        return false;
    }
    return true;
}

void SerialScanner::close() {
    quiet_.stop();
    pending_.clear();
    if (port_.isOpen()) port_.close();
}

void SerialScanner::readArrived() {
    pending_ += port_.readAll();
    // The end-of-file byte closes a symbol at once; what follows it starts the next one.
    for (qsizetype end; (end = pending_.indexOf(kEndOfFile)) >= 0;) {
        const QByteArray symbol = pending_.left(end);
        pending_.remove(0, end + 1);
        if (!symbol.isEmpty())
            emit symbolRead(QString::fromStdString(sjis::toUtf8(symbol.toStdString())));
    }
    if (pending_.isEmpty())
        quiet_.stop();
    else
        quiet_.start();
}

void SerialScanner::finishSymbol() {
    if (pending_.isEmpty()) return;
    const QByteArray symbol = std::exchange(pending_, {});
    emit symbolRead(QString::fromStdString(sjis::toUtf8(symbol.toStdString())));
}

}  // namespace intake
