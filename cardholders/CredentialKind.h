#pragma once

#include <QString>

// Cards and transmitters are handled alike; what differs is their tables
// and their texts.
enum class CredentialKind { Card, Transmitter };

struct CredentialTexts
{
    QString pageTitle;
    QString assignFrame;
    QString surrenderFrame;
    QString assignedLabel;
    QString statusFrame;
    QString assignNewIndividual;
    // The width a block number is right-aligned to in the lists.
    int blockWidth = 0;
    QString maxAssignments; // %1 is the limit
    QString specifyNumber;
    QString codeNotInteger;
    QString entryNotInteger;
    QString maxNumber;
    QString notAvailable;
    QString confirmSurrender;
};

const CredentialTexts& TextsOf(CredentialKind kind);
