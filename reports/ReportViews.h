#pragma once

// Registers the views of the reports area with the pane factory.
void RegisterReportViews();
