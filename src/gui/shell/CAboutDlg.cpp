#include "gui/shell/CAboutDlg.h"

#include "core/shell/AboutVersion.h"
#include "gui/common/Cp932Text.h"
#include "gui/shell/HelpPage.h"
#include "gui/shell/LinkLabel.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef KARDEL_VERSION
#define KARDEL_VERSION "0.0.0.0"
#endif

namespace kardel::gui {

std::function<void(const QUrl&)>& CAboutDlg::UrlOpener() {
    static std::function<void(const QUrl&)> opener = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    return opener;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Utf8("Kardelのﾊﾞｰｼﾞｮﾝ情報"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/kardel.png")));
    icon->setAlignment(Qt::AlignTop);

    m_version = new QLabel(FromCp932(AboutVersionLabel(KARDEL_VERSION)), this);
    m_version->setObjectName(QStringLiteral("version"));
    QFont big = m_version->font();
    big.setPixelSize(18);
    big.setBold(true);
    big.setUnderline(false);
    m_version->setFont(big);
    QPalette red = m_version->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_version->setPalette(red);

    auto* rights = new QLabel(Utf8("Copyright (C) Kardel の作者. All rights reserved."), this);
    rights->setObjectName(QStringLiteral("rights"));
    auto* web = new LinkLabel(Utf8("Kardel ヘルプ"), HelpPage::Url(), this);
    web->setObjectName(QStringLiteral("webLink"));
    auto* mail = new LinkLabel(Utf8("ご意見・お問い合わせ"), HelpPage::Url(QStringLiteral("contact")), this);
    mail->setObjectName(QStringLiteral("mailLink"));
    for (LinkLabel* link : {web, mail})
        connect(link, &LinkLabel::Clicked, this, [](const QUrl& url) {
            if (!url.isEmpty()) // the open action's failure is not reported
                UrlOpener()(url);
        });

    auto* text = new QVBoxLayout;
    text->addWidget(m_version);
    text->addWidget(rights);
    text->addWidget(web);
    text->addWidget(mail);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(text);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

} // namespace kardel::gui
