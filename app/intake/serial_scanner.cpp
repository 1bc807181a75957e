#include "intake/serial_scanner.h"

#include <QSerialPortInfo>

#include "sjis/sjis.h"

namespace intake {

SerialScanner::SerialScanner(QObject* parent) : QObject(parent) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMs);
    connect(&quiet_, &QTimer::timeout, this, [this] { hand(gatherer_.finish()); });
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
    gatherer_.clear();
    if (port_.isOpen()) port_.close();
}

void SerialScanner::readArrived() {
    const QByteArray bytes = port_.readAll();
    hand(gatherer_.add(std::string_view(bytes.constData(), bytes.size())));
    if (gatherer_.pending())
        quiet_.start();
    else
        quiet_.stop();
}

void SerialScanner::hand(const Gathered& gathered) {
    for (int i = 0; i < gathered.dropped; ++i) emit symbolDropped();
    for (const std::string& symbol : gathered.symbols)
        emit symbolRead(QString::fromStdString(sjis::toUtf8(symbol)));
}

}  // namespace intake
