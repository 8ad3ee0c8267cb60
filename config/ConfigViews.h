#pragma once

// Makes the configuration editors' views creatable by their class names.
void RegisterConfigViews();
