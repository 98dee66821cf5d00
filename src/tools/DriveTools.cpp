#include "DriveTools.h"

#include "Configurator.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "MainForm.h"
#include "ReferenceWindows.h"

DriveTools::DriveTools(Configurator& configurator, DriveLink& link, DriveQueries& queries, MainForm& main)
    : m_cfg(configurator), m_link(link), m_queries(queries), m_main(main)
{
    WindowHooks& hooks = m_main.hooks();
    hooks.showTmxCommandCard = [this] { reference().showSummary(); };
}

DriveTools::~DriveTools() = default;

ReferenceWindows& DriveTools::reference()
{
    if (!m_reference)
        m_reference = std::make_unique<ReferenceWindows>();
    return *m_reference;
}
