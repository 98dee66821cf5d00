#include "DriveTools.h"

#include "Configurator.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "MainForm.h"

DriveTools::DriveTools(Configurator& configurator, DriveLink& link, DriveQueries& queries, MainForm& main)
    : m_cfg(configurator), m_link(link), m_queries(queries), m_main(main)
{
}

DriveTools::~DriveTools() = default;
