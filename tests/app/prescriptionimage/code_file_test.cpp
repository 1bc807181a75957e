// Files that hold no readable code are refused before they cost time or memory, each with its
// own reason: a PDF page larger than a prescription, a locked PDF, a picture of too many pixels.
#include "prescriptionimage/code_file.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <string>

namespace {

using prescription::FileTrouble;

// A one-page PDF of `mediaBox` with its cross-reference table; `trailer` adds to the trailer.
std::string pdf(const std::string& mediaBox, const std::string& trailer = {}) {
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [" + mediaBox + "] >>",
    };
    std::string text = "%PDF-1.4\n";
    std::string xref = "xref\n0 4\n0000000000 65535 f \n";
    for (int i = 0; i < 3; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", text.size());
        xref += entry;
        text += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t start = text.size();
    return text + xref + "trailer\n<< /Size 4 /Root 1 0 R " + trailer + ">>\nstartxref\n" +
           std::to_string(start) + "\n%%EOF\n";
}

std::string png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return bytes.toStdString();
}

TEST(CodeFile, OversizedOrLockedFilesAreRefusedWithTheirReason) {
    QImage huge(8000, 8000, QImage::Format_Mono);
    huge.fill(1);
    // A standard security handler whose user password is not the empty one.
    const std::string lock = "/Encrypt << /Filter /Standard /V 1 /R 2 /P -4 /O <" +
                             std::string(64, 'A') + "> /U <" + std::string(64, 'B') +
                             "> >> /ID [<0123456789ABCDEF0123456789ABCDEF> "
                             "<0123456789ABCDEF0123456789ABCDEF>] ";
    struct Case {
        const char* name;
        std::string bytes;
        FileTrouble trouble;
        const char* message;
    } cases[] = {
        {"a 10,000-point page", pdf("0 0 10000 10000"), FileTrouble::kPageTooLarge,
         "PDFのページ（10000×10000ポイント）が処方箋の用紙より大きいため読みません。"},
        {"a page tall beyond A3", pdf("0 0 842 1400"), FileTrouble::kPageTooLarge, nullptr},
        {"a locked PDF", pdf("0 0 595 842", lock), FileTrouble::kEncryptedPdf,
         "PDFファイルにパスワードが掛かっている（暗号化されている）ため読めません。"},
        {"a 64-megapixel picture", png(huge), FileTrouble::kPictureTooLarge,
         "画像が大きすぎるため読めません（8000×8000画素）。画素数を減らして保存し直して下さい。"},
        {"an A3 page without a symbol", pdf("0 0 1191 842"), FileTrouble::kOther,
         "画像にQRコードが見つかりません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const prescription::SymbolText read = prescription::codeTextOfFile(c.bytes);
        EXPECT_EQ(read.bytes, "");
        EXPECT_EQ(read.trouble, c.trouble);
        if (c.message) {
            EXPECT_EQ(read.error, c.message);
        }
    }
}

}  // namespace
