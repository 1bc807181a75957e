// Where printed leaflet pages go. Every leaflet page is a print job of its own, named
// kPrintJobName: the system's default printer, or PDF files for tests and benchmarks.
#pragma once

#include <QString>
#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QPrinterInfo;
class QSaveFile;

namespace leaflet {

inline constexpr const char* kPrintJobName = "ソラミド";

class PrintTarget {
  public:
    virtual ~PrintTarget() = default;

    // Whether the target exists at all (a system without a default printer has none).
    virtual bool present() const { return true; }
    // Starts a job named `documentName`; the device to paint the page on, or nullptr when the
    // job cannot start. The device stays valid until endJob.
    virtual QPagedPaintDevice* beginJob(const QString& documentName) = 0;
    // Ends the job begun last, after the painter on its device has ended; false when the job's
    // output was not delivered (the spooler refused it, the file could not be written).
    virtual bool endJob() = 0;
};

// A fresh printer on `info` for one job named `documentName`, so no setting of one job carries
// over to the next; nullptr when there is no such printer or it is not usable.
std::unique_ptr<QPrinter> openPrinterJob(const QPrinterInfo& info, const QString& documentName);
// Ends the job on `printer` and lets it go: whether the spooler took its output.
bool endPrinterJob(std::unique_ptr<QPrinter>& printer);

// The system's default printer, portrait paper.
class SystemPrinter : public PrintTarget {
  public:
    SystemPrinter();
    ~SystemPrinter() override;

    // False when the system has no default printer.
    static bool available();

    bool present() const override { return available(); }
    QPagedPaintDevice* beginJob(const QString& documentName) override;
    bool endJob() override;

  private:
    std::unique_ptr<QPrinter> printer_;
};

// Each job becomes one PDF file <folder>/job-<n>.pdf (n from 1) whose document title is the
// job's name. A job's file appears only once the job is complete.
class PdfJobs : public PrintTarget {
  public:
    explicit PdfJobs(QString folder);
    ~PdfJobs() override;

    QPagedPaintDevice* beginJob(const QString& documentName) override;
    bool endJob() override;

    // The jobs begun so far, and the file of job `n`.
    int jobCount() const { return jobs_; }
    QString jobPath(int n) const;

  private:
    QString folder_;
    int jobs_ = 0;
    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<QPdfWriter> writer_;
};

}  // namespace leaflet
