#include "gui/shell/MemoPane.h"

#include "core/base/Platform.h"
#include "core/base/Texts.h"
#include "core/model/CKardelDoc.h"
#include "core/shell/TextExportFile.h"
#include "gui/common/Cp932Text.h"
#include "gui/shell/TextFindDialog.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace kardel::gui {
namespace {

constexpr double kPrintInset = 200;

QString ToWidgetText(const std::string& cp932) {
    QString text = FromCp932(cp932);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

std::string ToBodyText(QString text, bool* lossy) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return ToCp932(text, lossy);
}

} // namespace

QFont MemoPane::MemoFont() {
    const QString preferred = Utf8("ＭＳ ゴシック");
    QFont font(QFontDatabase::families().contains(preferred) ? preferred : QStringLiteral("Noto Sans Mono CJK JP"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    return font;
}

MemoPane::MemoPane(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("memoPane");
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(MemoFont());
    setViewportMargins(0, 0, 0, 0);
    document()->setDocumentMargin(10);
    setAcceptDrops(true);
}

MemoPane::~MemoPane() = default;

std::string MemoPane::GetText() const {
    QString text = toPlainText();
    if (text == m_loadedText)
        return m_loadedBytes;
    bool lossy = false;
    std::string bytes = ToBodyText(text, &lossy);
    if (lossy && onStatusMessage)
        onStatusMessage(Utf8("Shift-JIS で表せない文字は \"?\" として保存されました。"));
    return bytes;
}

void MemoPane::LoadText(const std::string& text) {
    m_loadedBytes = text;
    m_loadedText = ToWidgetText(text);
    setUpdatesEnabled(false);
    setPlainText(m_loadedText); // clears the undo history
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
    ensureCursorVisible();
    setUpdatesEnabled(true);
}

std::string MemoPane::GetSelectedText() const {
    return ToBodyText(textCursor().selectedText(), nullptr);
}

void MemoPane::ReplaceSelection(const std::string& text, bool undoable) {
    QTextCursor cursor = textCursor();
    if (undoable) {
        cursor.insertText(ToWidgetText(text));
    } else {
        // Qt cannot insert outside the undo history without clearing it; the text joins the
        // previous step, so undoing never leaves it alone behind.
        cursor.joinPreviousEditBlock();
        cursor.insertText(ToWidgetText(text));
        cursor.endEditBlock();
    }
    setTextCursor(cursor);
}

void MemoPane::SetTabStops(int dialogUnits) {
    // A dialog unit is a quarter of the average character width, which is a half-width
    // (ASCII) column here; the font's own average also counts its wide CJK glyphs.
    QFontMetricsF metrics(font());
    setTabStopDistance(metrics.horizontalAdvance(QLatin1Char('x')) * dialogUnits / 4.0);
}

bool MemoPane::CanUndo() const {
    return document()->isUndoAvailable();
}

bool MemoPane::CanPaste() const {
    return const_cast<MemoPane*>(this)->canPaste();
}

void MemoPane::Run(Operation operation) {
    switch (operation) {
    case Operation::Undo:
        undo();
        break;
    case Operation::Cut:
        cut();
        break;
    case Operation::Copy:
        copy();
        break;
    case Operation::Paste:
        paste();
        break;
    case Operation::SelectAll:
        selectAll();
        ensureCursorVisible();
        break;
    case Operation::Find:
    case Operation::Replace:
        if (!m_findDialog)
            m_findDialog = new TextFindDialog(this, this);
        m_findDialog->Open(operation == Operation::Replace);
        break;
    case Operation::Print: {
        QPrinter own(QPrinter::HighResolution);
        QPrinter& printer = m_printer ? *m_printer : own;
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted)
            PrintOrReport(printer);
        break;
    }
    }
}

void MemoPane::PrintOrReport(QPrinter& printer) {
    if (!m_view) {
        PrintTo(printer);
        return;
    }
    CKardelDoc& doc = m_view->GetDocument();
    const QString file = printer.outputFileName();
    FileResult result;
    if (!file.isEmpty())
        result = text_export::RefuseOverDocument(doc, QFile::encodeName(file).toStdString());
    if (result.ok && !PrintTo(printer))
        result =
            FileResult::Failure(Fill(texts::CannotPrintTo(), {ToCp932(file.isEmpty() ? printer.printerName() : file)}));
    if (!result.ok)
        doc.platform().messages.ShowError(result.message);
}

bool MemoPane::PrintTo(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QTextDocument doc;
    QFont font = MemoFont();
    doc.setDefaultFont(font);
    doc.setPlainText(toPlainText());
    QTextOption option = doc.defaultTextOption();
    option.setTabStopDistance(tabStopDistance() * printer.logicalDpiX() / logicalDpiX());
    doc.setDefaultTextOption(option);
    doc.documentLayout()->setPaintDevice(&printer);
    doc.setDocumentMargin(0);

    const QRect printable(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    // The header sits at the top of the printable area; the text keeps 200 units of a 600-dpi
    // printer (a third of an inch) off each edge, whatever resolution this printer runs at.
    const int inset = qRound(kPrintInset * printer.resolution() / 600.0);
    const QRect body = printable.adjusted(inset, inset, -inset, -inset);
    doc.setTextWidth(body.width());
    // Pages break between lines: a line that would cross the bottom starts the next page.
    std::vector<qreal> starts{0};
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal top = layout->position().y() + line.y();
            if (top + line.height() > starts.back() + body.height() && top > starts.back())
                starts.push_back(top);
        }
    }
    starts.push_back(std::max(doc.size().height(), starts.back()));
    const int pageCount = int(starts.size()) - 1;
    for (int page = 1; page <= pageCount; ++page) {
        if (page > 1)
            printer.newPage();
        painter.setFont(font);
        std::string header = m_view ? m_view->PrintHeader(page) : std::string();
        painter.drawText(printable, Qt::AlignHCenter | Qt::AlignTop, FromCp932(header));
        const qreal from = starts[size_t(page - 1)];
        painter.save();
        painter.translate(body.left(), body.top() - from);
        QAbstractTextDocumentLayout::PaintContext context;
        const QRectF pageRect(0, from, body.width(), starts[size_t(page)] - from);
        painter.setClipRect(pageRect);
        // The layout also draws lines that only touch the clip; those belong to the pages around.
        context.clip = pageRect.adjusted(0, 0.5, 0, -0.5);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

void MemoPane::contextMenuEvent(QContextMenuEvent* event) {
    if (onContextMenu)
        onContextMenu(event->globalPos());
    else
        QPlainTextEdit::contextMenuEvent(event);
}

void MemoPane::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        QPlainTextEdit::dragEnterEvent(event);
}

void MemoPane::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        QPlainTextEdit::dragMoveEvent(event);
}

void MemoPane::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    if (m_view && !paths.empty())
        m_view->OnDropFiles(paths);
    event->acceptProposedAction();
}

} // namespace kardel::gui
