#include "ReferenceWindows.h"

#include "Calculator.h"
#include "CodeListWindow.h"
#include "FirstUse.h"
#include "ReferenceCardWindow.h"
#include "Twips.h"

#include <QPushButton>

namespace {

void BringUp(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

ReferenceWindows::ReferenceWindows() = default;

ReferenceWindows::~ReferenceWindows() = default;

ReferenceCardWindow& ReferenceWindows::summary()
{
    if (!m_summary) {
        m_summary = std::make_unique<ReferenceCardWindow>(
            TmxCommandCard(), QList<ReferenceCardWindow::BottomButton>{{"calc", "Calculator..."},
                                                                     {"OK", "OK"},
                                                                     {"ZEPservo", "ZEP Servo Commands..."}});
        ReferenceCardWindow* card = m_summary.get();
        QObject::connect(card->button("calc"), &QPushButton::clicked, card, [this] { showCalculator(); });
        QObject::connect(card->button("OK"), &QPushButton::clicked, card, [this] { Summary_OK(); });
        QObject::connect(card->button("ZEPservo"), &QPushButton::clicked, card, [this] { showZepHelp(); });
        QObject::connect(card, &ReferenceCardWindow::codeListRequested, card,
                         [this](CodeList list) { showCodeList(list); });
    }
    return *m_summary;
}

ReferenceCardWindow& ReferenceWindows::zepHelp()
{
    if (!m_zepHelp) {
        m_zepHelp = std::make_unique<ReferenceCardWindow>(
            ZepServoCard(), QList<ReferenceCardWindow::BottomButton>{{"OK", "OK"}});
        ReferenceCardWindow* card = m_zepHelp.get();
        QObject::connect(card->button("OK"), &QPushButton::clicked, card, [this] { ZEPhelp_OK(); });
        QObject::connect(card, &ReferenceCardWindow::codeListRequested, card,
                         [this](CodeList list) { showCodeList(list); });
    }
    return *m_zepHelp;
}

Calculator& ReferenceWindows::calculator()
{
    return OnFirstUse(m_calculator);
}

CodeListWindow& ReferenceWindows::codeList(CodeList list)
{
    return OnFirstUse(m_lists[list], CodeListPageOf(list));
}

void ReferenceWindows::showSummary()
{
    BringUp(summary());
}

void ReferenceWindows::showZepHelp()
{
    BringUp(zepHelp());
}

void ReferenceWindows::showCalculator()
{
    BringUp(calculator());
}

void ReferenceWindows::showCodeList(CodeList list)
{
    if (list == CodeList::None)
        return;
    CodeListWindow& window = codeList(list);
    const CodeListPage& page = window.page();
    // Each list belongs to the one card whose buttons open it.
    bool fromZep = false;
    for (const CardRow& row : ZepServoCard().rows)
        fromZep = fromZep || row.list == list;
    const QWidget& card = fromZep ? static_cast<QWidget&>(zepHelp()) : summary();
    const QPoint offset = page.offsetInPixels ? page.offset
                                              : QPoint(Twips(page.offset.x()), Twips(page.offset.y()));
    window.move(card.pos() + offset);
    BringUp(window);
}

void ReferenceWindows::hideLists(std::initializer_list<CodeList> lists)
{
    for (CodeList list : lists) {
        const auto found = m_lists.find(list);
        if (found != m_lists.end())
            found->second->hide();
    }
}

void ReferenceWindows::Summary_OK()
{
    hideLists({CodeList::EFcodes, CodeList::LimCodes, CodeList::IOcodes, CodeList::RScodes, CodeList::MRcodes});
    if (m_summary)
        m_summary->hide();
}

void ReferenceWindows::ZEPhelp_OK()
{
    hideLists({CodeList::ControlModes, CodeList::DefCodes});
    if (m_zepHelp)
        m_zepHelp->hide();
}
