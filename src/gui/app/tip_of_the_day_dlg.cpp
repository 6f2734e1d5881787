#include "gui/app/tip_of_the_day_dlg.h"

#include "gui/toolkit/byte_text.h"
#include "gui/toolkit/program_settings.h"
#include "gui/toolkit/ui_hooks.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace tessaray {

namespace {

constexpr int kPictureWidth = 40;
constexpr int kPictureHeight = 53;

QSettings TipSection() {
    return ProgramSettings();
}

// The picture beside "Did you know...": a light bulb on a grey stripe, 40 by 53 pixels.
void DrawBulb(QPainter& painter, const QPoint& origin) {
    painter.save();
    painter.translate(origin);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(0, 0, kPictureWidth, kPictureHeight), QColor(128, 128, 128));
    painter.setPen(QPen(QColor(64, 64, 0), 1.5));
    painter.setBrush(QColor(255, 240, 96));
    QPainterPath glass;
    glass.addEllipse(QRectF(8, 6, 24, 24));
    glass.moveTo(13, 26);
    glass.lineTo(16, 37);
    glass.lineTo(24, 37);
    glass.lineTo(27, 26);
    painter.drawPath(glass.simplified());
    painter.setBrush(QColor(200, 200, 200));
    painter.drawRect(QRectF(15.5, 37.5, 9, 4));
    painter.drawRect(QRectF(15.5, 41.5, 9, 4));
    painter.setBrush(QColor(96, 96, 96));
    painter.drawRect(QRectF(17.5, 45.5, 5, 3));
    painter.restore();
}

// Frame 1000: the white area with the picture and "Did you know..." beside it; the tip text
// sits inside it, below the heading.
class CTipFrame final : public QWidget {
public:
    explicit CTipFrame(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("TipFrame"));
        setMinimumSize(360, 150);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        DrawBulb(painter, QPoint(0, 0));
        QFont font = painter.font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.3);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QRect heading(kPictureWidth + 10, 0, width() - kPictureWidth - 10, kPictureHeight);
        painter.drawText(heading, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         CTipOfTheDayDlg::tr("Did you know..."));
    }
};

} // namespace

int CTipSettings::ReadStartUp() {
    return ReadSetting(TipSection(), setting::kTipStartUp);
}

std::int64_t CTipSettings::ReadFilePos() {
    return ReadSetting(TipSection(), setting::kTipFilePos);
}

std::string CTipSettings::ReadTimeStamp() {
    return ToBytes(TipSection().value(SettingKey(setting::kTipTimeStamp.strKey)).toString());
}

void CTipSettings::WriteStartUp(int value) {
    TipSection().setValue(SettingKey(setting::kTipStartUp.strKey), value);
}

void CTipSettings::WriteFilePos(std::int64_t value) {
    TipSection().setValue(SettingKey(setting::kTipFilePos.strKey), static_cast<qlonglong>(value));
}

void CTipSettings::WriteTimeStamp(const std::string& value) {
    TipSection().setValue(SettingKey(setting::kTipTimeStamp.strKey), FromBytes(value));
}

CTipOfTheDayDlg::CTipOfTheDayDlg(const std::string& folder, const SUiHooks& hooks, QWidget* parent,
                                 const char* fileName)
    : QDialog(parent), m_reader(folder, m_settings, fileName), m_hooks(hooks) {
    setObjectName(QStringLiteral("TipOfTheDayDlg"));
    setWindowTitle(tr("Tip of the Day"));

    if (m_reader.GetState() == CTipsReader::State::ReadTrouble) {
        ReportReadTrouble();
    }

    auto* frame = new CTipFrame(this);
    m_tipText = new QLabel(frame);
    m_tipText->setObjectName(QStringLiteral("TipText"));
    m_tipText->setWordWrap(true);
    m_tipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_tipText->setTextFormat(Qt::PlainText);
    m_tipText->setAutoFillBackground(true);
    QPalette white = m_tipText->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_tipText->setPalette(white);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(kPictureWidth + 10, kPictureHeight + 4, 10, 10);
    frameLayout->addWidget(m_tipText);

    m_showAtStartup = new QCheckBox(tr("&Show Tips on StartUp"), this);
    m_showAtStartup->setObjectName(QStringLiteral("ShowAtStartup"));
    m_showAtStartup->setChecked(m_reader.IsShowAtStartup());
    m_nextTip = new QPushButton(tr("&Next Tip"), this);
    m_nextTip->setObjectName(QStringLiteral("NextTip"));
    m_nextTip->setAutoDefault(false);
    // Without a file, or with a file that holds no tip, there is nothing further to show.
    m_nextTip->setEnabled(m_reader.HasFile() && m_reader.GetState() != CTipsReader::State::NoTips);
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("Close"));
    close->setDefault(true);
    connect(m_nextTip, &QPushButton::clicked, this, &CTipOfTheDayDlg::OnNextTip);
    connect(close, &QPushButton::clicked, this, &CTipOfTheDayDlg::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_showAtStartup);
    buttons->addStretch();
    buttons->addWidget(m_nextTip);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    UpdateTipText();
}

QString CTipOfTheDayDlg::Tip() const {
    return m_tipText->text();
}

void CTipOfTheDayDlg::accept() {
    QDialog::accept();
    m_reader.WriteShowAtStartup(m_showAtStartup->isChecked());
}

void CTipOfTheDayDlg::OnNextTip() {
    std::string tip;
    if (!m_reader.GetNextTip(tip) && m_reader.GetState() == CTipsReader::State::ReadTrouble) {
        ReportReadTrouble();
    }
    UpdateTipText();
}

void CTipOfTheDayDlg::ReportReadTrouble() {
    m_hooks.messageBox(parentWidget(), QMessageBox::Warning, tr("Trouble reading the tips file"),
                       QMessageBox::Ok);
}

void CTipOfTheDayDlg::UpdateTipText() {
    QString text;
    switch (m_reader.GetState()) {
    case CTipsReader::State::NoFile:
        text = tr("Tips file does not exist in the prescribed directory");
        break;
    case CTipsReader::State::NoTips:
        text = tr("No tips in the tips file");
        break;
    default: {
        // The tip keeps its line end in the file; the label shows the text without it.
        text = FromBytes(m_reader.GetTip());
        while (text.endsWith(u'\n') || text.endsWith(u'\r')) {
            text.chop(1);
        }
        break;
    }
    }
    m_tipText->setText(text);
}

} // namespace tessaray
