#pragma once

// Makes the main frame build the cardholder screens by their class names.
void RegisterCardholderViews();
