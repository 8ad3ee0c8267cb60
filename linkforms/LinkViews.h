#pragma once

// Registers the link's pane views with the view factory.
void RegisterLinkViews();
