// A serial-type 2D scanner on a serial port: the bytes it sends (CP932) are gathered until the
// line goes quiet or the end-of-file byte arrives, and each symbol's text is then handed on; a
// symbol larger than any prescription is dropped and said so.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "intake/symbol_gatherer.h"

namespace intake {

class SerialScanner : public QObject {
    Q_OBJECT
  public:
    // A symbol is complete when nothing more arrived for this long.
    static constexpr int kQuietMs = 200;

    explicit SerialScanner(QObject* parent = nullptr);

    // The serial ports of this computer by their paths (e.g. /dev/ttyUSB0).
    static QStringList availablePorts();

    // The speeds a scanner can be set to; 9600 is the usual factory setting.
    static QList<qint32> baudRates() { return {9600, 19200, 38400, 57600, 115200}; }

    // Opens the port at `path` for reading at `baudRate`, 8N1; false with the reason in
    // errorText() when it cannot be opened or does not take the speed.
    bool open(const QString& path, qint32 baudRate = 9600);
    void close();
    bool isOpen() const { return port_.isOpen(); }
    QString errorText() const {
        return settingsError_.isEmpty() ? port_.errorString() : settingsError_;
    }

  signals:
    // The text of one symbol, converted from CP932, without its end-of-file byte.
    void symbolRead(const QString& text);
    // A symbol passed kMostSymbolBytes and was dropped.
    void symbolDropped();

  private:
    void readArrived();
    void hand(const Gathered& gathered);

    QSerialPort port_;
    QTimer quiet_;
    SymbolGatherer gatherer_;
    QString settingsError_;  // why the port refused the line settings
};

}  // namespace intake
