// A serial-type 2D scanner on a serial port: the bytes it sends (CP932) are gathered until the
// line goes quiet or the end-of-file byte arrives, and each symbol's text is then handed on.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace intake {

class SerialScanner : public QObject {
    Q_OBJECT
  public:
    // A symbol is complete when nothing more arrived for this long.
    static constexpr int kQuietMs = 200;

    explicit SerialScanner(QObject* parent = nullptr);

    // The serial ports of this computer by their paths (e.g. /dev/ttyUSB0).
    static QStringList availablePorts();

    // Opens the port at `path` for reading (9600 baud, 8N1, as scanners are set by default);
    // false with the reason in errorText() when it cannot be opened.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return port_.isOpen(); }
    QString errorText() const { return port_.errorString(); }

  signals:
    // The text of one symbol, converted from CP932, without its end-of-file byte.
    void symbolRead(const QString& text);

  private:
    void readArrived();
    void finishSymbol();

    QSerialPort port_;
    QTimer quiet_;
    QByteArray pending_;
};

}  // namespace intake
