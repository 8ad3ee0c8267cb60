#pragma once

// Gives the shell what the link's screens offer it (the Auto Pilot dialog).
void InstallLinkFormHooks();
