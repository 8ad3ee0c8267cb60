#include "image/HtmlPageFiles.h"

#include "platform/DurableFiles.h"

#include <QDir>
#include <QFile>

#include <array>

namespace {

struct PageFile
{
    const char* name;
    const char* content;
};

const char* const kPage = R"page(<!DOCTYPE html>
<html>
<head>
<meta charset="iso-8859-1">
<title>Node Memory</title>
<link rel="stylesheet" href="wf.css">
<script src="data.js"></script>
<script src="wf.js"></script>
<script src="tree.js"></script>
</head>
<body onload="wfBuildTree()">
<div id="tree"></div>
<div id="view"></div>
</body>
</html>
)page";

const char* const kTree = R"page(// The sections of data.js, in the order they are listed.
var wfSections = [
  ['Main', 'MENU_MAIN'],
  ['Time Zones', 'MENU_TIME_ZONES'],
  ['Validation Groups', 'MENU_VALIDATION_GROUPS'],
  ['Floor Validation Groups', 'MENU_FLOOR_VALIDATION_GROUPS'],
  ['Door Schedules', 'MENU_DOOR_SCHEDULES'],
  ['Button Schedules', 'MENU_BUTTON_SCHEDULES'],
  ['Downlight Time', 'MENU_DOWNLIGHT_TIME'],
  ['Holidays', 'MENU_HOLIDAYS'],
  ['Facility Codes', 'MENU_FACILITY_SITE_CODES'],
  ['Telephone Directory', 'MENU_PHONE_DIRECTORY'],
  ['Controller', 'MENU_CONTROLLER'],
  ['Controller Names', 'MENU_CONTROLLER_NAMES'],
  ['Relays', 'MENU_CONTROLLER_RELAYS'],
  ['Modem', 'MENU_CONTROLLER_MODEM'],
  ['Remote Devices', 'MENU_CONTROLLER_REMOTE_DEVICES'],
  ['Obstacle Transmitters', 'MENU_CONTROLLER_OBST_TRANSMITTERS'],
  ['Cardholders', 'MENU_CARDHOLDERS'],
  ['Cardholder Sets', 'MENU_CARDHOLDER_SETS'],
  ['Directory Codes', 'MENU_DIRECTORY_CODES'],
  ['Transmitter Blocks', 'MENU_TRANSMITTER_BLOCKS'],
  ['Card Blocks', 'MENU_CARD_BLOCKS'],
  ['Entry Codes', 'MENU_ENTRY_CODES'],
  ['Single Transmitters', 'MENU_TRANSMITTER_SINGLE'],
  ['Single Cards', 'MENU_CARD_SINGLE'],
  ['Display Messages', 'MENU_DISPLAY_MESSAGES'],
  ['Anti-PassBack', 'MENU_ANTI_PASSBACK'],
  ['Floor Schedules', 'MENU_FLOOR_SCHEDULES']
];

function wfBuildTree() {
  var tree = document.getElementById('tree');
  for (var i = 0; i < wfSections.length; ++i) {
    var link = document.createElement('a');
    link.href = '#';
    link.id = 'item_' + wfSections[i][1];
    link.appendChild(document.createTextNode(wfSections[i][0]));
    link.onclick = (function (name) { return function () { wfShow(name); return false; }; })(wfSections[i][1]);
    tree.appendChild(link);
  }
  wfShow(wfSections[0][1]);
}
)page";

const char* const kScript = R"page(// Shows one section of data.js: each variable is the body of a table.
function wfShow(name) {
  var rows = window[name];
  document.getElementById('view').innerHTML = typeof rows === 'string' ? rows : '';
  var links = document.getElementById('tree').getElementsByTagName('a');
  for (var i = 0; i < links.length; ++i)
    links[i].className = links[i].id === 'item_' + name ? 'chosen' : '';
}
)page";

const char* const kStyle = R"page(body { font-family: Arial, Helvetica, sans-serif; font-size: 10pt; margin: 0; }
#tree { position: fixed; top: 0; bottom: 0; left: 0; width: 14em; overflow: auto;
  background: #E8F0FC; border-right: 1px solid #A8C8F7; padding: 0.5em 0; }
#tree a { display: block; padding: 0.2em 0.8em; color: #10306A; text-decoration: none; }
#tree a.chosen { background: #A8C8F7; font-weight: bold; }
#view { margin-left: 15em; padding: 0.8em; }
table.form { border-collapse: collapse; }
table.form td { border: 1px solid #C8D8F0; padding: 0.15em 0.5em; }
)page";

const std::array<PageFile, 4> kFiles = {{
    {"wf.css", kStyle},
    {"wf.js", kScript},
    {"Marrowin.htm", kPage},
    {"tree.js", kTree},
}};

} // namespace

bool HtmlPageFiles::WriteMissing(const QString& htmlFolder)
{
    if (!QDir().mkpath(htmlFolder))
        return false;
    bool written = true;
    for (const PageFile& file : kFiles) {
        const QString path = htmlFolder + QLatin1String(file.name);
        if (QFile::exists(path))
            continue;
        written = WriteWholeFile(path, QByteArray(file.content)) && written;
    }
    return written;
}
