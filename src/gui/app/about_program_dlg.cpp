#include "gui/app/about_program_dlg.h"
#include "gui/toolkit/byte_text.h"

#include "core/app/web_addresses.h"
#include "gui/app/toolbar_icons.h"
#include "gui/toolkit/program_settings.h"
#include "gui/toolkit/ui_hooks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaray {

namespace {

// "1.1.2" for the version code "010102"; any other code as it is.
QString DottedVersion(const std::string& code) {
    if (code.size() != 6 || code.find_first_not_of("0123456789") != std::string::npos) {
        return FromBytes(code);
    }
    return QStringLiteral("%1.%2.%3")
        .arg(std::stoi(code.substr(0, 2)))
        .arg(std::stoi(code.substr(2, 2)))
        .arg(std::stoi(code.substr(4, 2)));
}

} // namespace

CAboutProgramDlg::CAboutProgramDlg(const std::string& versionCode, char chLanguage,
                                   const SUiHooks& hooks, QWidget* parent)
    : QDialog(parent), m_strFileVersion(versionCode) {
    setObjectName(QStringLiteral("AboutProgramDlg"));
    setWindowTitle(tr("About Tessaray"));

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    auto* product = new QLabel(ProductName(), this);
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    auto* copyright = new QLabel(
        tr("Copyright (C) Tessaray developers. Free software under the MIT License."), this);
    copyright->setObjectName(QStringLiteral("Copyright"));
    auto* fileVersion = new QLabel(DottedVersion(m_strFileVersion), this);
    fileVersion->setObjectName(QStringLiteral("FileVersion"));
    fileVersion->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Version"), this), 0, 0);
    grid->addWidget(fileVersion, 0, 1);
    // A button that opens an address in the browser; captioned with the address unless a caption
    // is given.
    const auto addAddressRow = [&](int row, const QString& label, WebAddress which,
                                   const QString& name, const QString& caption = {}) {
        const QString url = FromBytes(GetWebAddress(which, chLanguage));
        auto* button = new QPushButton(caption.isEmpty() ? url : caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, &hooks, url] { OpenOrTell(hooks, this, QUrl(url)); });
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(button, row, 1);
    };
    addAddressRow(1, tr("Tessaray Web Site:"), WebAddress::ProductHome,
                  QStringLiteral("ProductHomeButton"));
    addAddressRow(2, tr("Company Web Site:"), WebAddress::CompanySite,
                  QStringLiteral("CompanySiteButton"));
    auto* support = new QPushButton(tr("Support..."), this);
    support->setObjectName(QStringLiteral("SupportButton"));
    support->setAutoDefault(false);
    connect(support, &QPushButton::clicked, this, [this] {
        m_bSupportChosen = true;
        accept();
    });
    grid->addWidget(new QLabel(tr("Technical Support"), this), 3, 0);
    grid->addWidget(support, 3, 1);
    addAddressRow(4, tr("Contact"), WebAddress::ContactPage, QStringLiteral("ContactButton"),
                  tr("Contact ..."));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* head = new QVBoxLayout;
    head->addWidget(product);
    head->addWidget(copyright);
    head->addLayout(grid);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(head, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

} // namespace tessaray
