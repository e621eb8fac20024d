// The tool library dialog: table, field checks, the insert's picture, the atomic save.
#include "shell/ToolLibraryDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "platform/SafeFileWriter.h"
#include "shell/QtText.h"
#include "simulation/LibraryToolOutline.h"

namespace {

constexpr int kPictureSize = 120;

QString Number(double value) {
    return QString::number(value, 'g', 6);
}

}  // namespace

CToolLibraryDialog::CToolLibraryDialog(const std::string& path, QWidget* parent)
    : QDialog(parent),
      m_strPath(path),
      m_pTable(new QTableWidget(this)),
      m_pPicture(new QLabel(this)),
      m_pProblem(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Tool Library"));
    std::vector<std::string> problems;
    m_library = CToolLibrary::Load(path, problems);
    m_pTable->setColumnCount(static_cast<int>(std::size(kKeys)));
    m_pTable->setHorizontalHeaderLabels({QStringLiteral("Tool"), QStringLiteral("Name"), QStringLiteral("Shape"),
                                         QStringLiteral("Nose radius [mm]"), QStringLiteral("Orientation"),
                                         QStringLiteral("Front angle"), QStringLiteral("Back angle"),
                                         QStringLiteral("Hand")});
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pPicture->setFixedSize(kPictureSize, kPictureSize);
    m_pProblem->setWordWrap(true);
    m_pProblem->setStyleSheet(QStringLiteral("color: #b00000"));
    if (!problems.empty()) {
        m_pProblem->setText(ToQ(problems.front()));
    }
    auto* add = new QPushButton(QStringLiteral("&Add Tool"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    auto* row = new QHBoxLayout;
    row->addWidget(m_pTable, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(m_pPicture);
    side->addWidget(add);
    side->addStretch(1);
    row->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(m_pProblem);
    layout->addWidget(buttons);
    connect(add, &QPushButton::clicked, this, &CToolLibraryDialog::AddTool);
    connect(buttons, &QDialogButtonBox::accepted, this, &CToolLibraryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CToolLibraryDialog::reject);
    connect(m_pTable, &QTableWidget::currentCellChanged, this, [this] { ShowPicture(); });
    connect(m_pTable, &QTableWidget::cellChanged, this, [this] {
        CToolLibrary check;
        if (ReadTable(check)) {
            m_pProblem->clear();
        }
        ShowPicture();
    });
    Fill();
    resize(1040, 340);
}

void CToolLibraryDialog::Fill() {
    const QSignalBlocker blocker(m_pTable);
    m_pTable->setRowCount(0);
    for (const CTool& t : m_library.GetTools()) {
        const int row = m_pTable->rowCount();
        m_pTable->insertRow(row);
        const QString texts[] = {QString::number(t.nNumber), ToQ(t.strName),        QString(QChar(t.cShape)),
                                 Number(t.dNoseRadius),      QString::number(t.nOrientation), Number(t.dFrontAngle),
                                 Number(t.dBackAngle),       ToQ(t.strHand)};
        for (int c = 0; c < static_cast<int>(std::size(texts)); ++c) {
            m_pTable->setItem(row, c, new QTableWidgetItem(texts[c]));
        }
    }
    if (m_pTable->rowCount() > 0) {
        m_pTable->setCurrentCell(0, 1);
    }
    ShowPicture();
}

void CToolLibraryDialog::AddTool() {
    CToolLibrary library;
    if (!ReadTable(library)) {
        return;
    }
    int number = 1;
    while (library.Find(number)) {
        ++number;
    }
    CTool& tool = library.FindOrAdd(number);
    tool.strName = "New tool " + std::to_string(number);
    m_library = library;
    Fill();
    m_pTable->setCurrentCell(m_pTable->rowCount() - 1, 1);
    for (int row = 0; row < m_pTable->rowCount(); ++row) {
        if (m_pTable->item(row, 0)->text() == QString::number(number)) {
            m_pTable->setCurrentCell(row, 1);
        }
    }
}

bool CToolLibraryDialog::ReadTable(CToolLibrary& library) {
    library = CToolLibrary();
    for (int row = 0; row < m_pTable->rowCount(); ++row) {
        const auto text = [&](int c) {
            const QTableWidgetItem* item = m_pTable->item(row, c);
            return item ? FromQ(item->text().trimmed()) : std::string();
        };
        const std::string numberText = text(0);
        char* end = nullptr;
        const long number = std::strtol(numberText.c_str(), &end, 10);
        std::string error;
        if (numberText.empty() || *end != '\0' || number < 1 || number > 99999) {
            error = "tool: give a whole number from 1 to 99999";
        } else if (library.Find(static_cast<int>(number))) {
            error = "tool: the number " + numberText + " is used twice";
        }
        CTool& tool = error.empty() ? library.FindOrAdd(static_cast<int>(number)) : library.FindOrAdd(0);
        // The table shows the fields every tool has; a blade's, thread insert's or drill's own
        // fields are kept from the library as read.
        if (const CTool* known = error.empty() ? m_library.Find(static_cast<int>(number)) : nullptr) {
            tool = *known;
        }
        for (int c = 1; error.empty() && c < static_cast<int>(std::size(kKeys)); ++c) {
            tool.Set(kKeys[c], text(c), error);
        }
        if (!error.empty()) {
            m_pProblem->setText(ToQ("Row " + std::to_string(row + 1) + ", " + error + "."));
            return false;
        }
    }
    return true;
}

void CToolLibraryDialog::ShowPicture() {
    QPixmap pixmap(kPictureSize, kPictureSize);
    pixmap.fill(Qt::white);
    CToolLibrary library;
    const int row = m_pTable->currentRow();
    QSignalBlocker blocker(m_pTable);
    const bool valid = ReadTable(library);
    if (valid && row >= 0 && row < static_cast<int>(library.GetTools().size())) {
        const CTool* tool = library.Find(m_pTable->item(row, 0)->text().toInt());
        const std::vector<CPathPoint> corners = tool ? CLibraryToolOutline::Of(*tool).Corners() : std::vector<CPathPoint>();
        double extent = 1.0;
        for (const CPathPoint& p : corners) {
            extent = std::max({extent, std::fabs(p.dZ), std::fabs(p.dX)});
        }
        // The programmed point in the middle, Z to the right, X up, as the drawing shows them.
        const double scale = (kPictureSize / 2 - 6) / extent;
        QPolygonF polygon;
        for (const CPathPoint& p : corners) {
            polygon << QPointF(kPictureSize / 2 + p.dZ * scale, kPictureSize / 2 - p.dX * scale);
        }
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::darkGray, 1.5));
        painter.setBrush(QColor(200, 210, 230));
        painter.drawPolygon(polygon);
        painter.setPen(QPen(Qt::red, 1));
        painter.drawLine(kPictureSize / 2 - 4, kPictureSize / 2, kPictureSize / 2 + 4, kPictureSize / 2);
        painter.drawLine(kPictureSize / 2, kPictureSize / 2 - 4, kPictureSize / 2, kPictureSize / 2 + 4);
    }
    m_pPicture->setPixmap(pixmap);
}

void CToolLibraryDialog::accept() {
    CToolLibrary library;
    if (!ReadTable(library)) {
        return;  // the problem stands under the table; the file is untouched
    }
    const std::string text = library.Format();
    std::string error;
    if (!CSafeFileWriter::Write(m_strPath, reinterpret_cast<const uint8_t*>(text.data()), text.size(), error)) {
        m_pProblem->setText(ToQ("The tool library was not saved: " + error));
        return;
    }
    m_library = library;
    QDialog::accept();
}
