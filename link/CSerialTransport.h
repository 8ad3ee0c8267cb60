#pragma once

#include "link/CLinkThreads.h"
#include "link/ILinkTransport.h"

// The link over the program's COM-port or modem link object and its two threads.
class CSerialTransport : public ILinkTransport
{
public:
    ~CSerialTransport() override;

    bool PrepareCall(bool useCountryAndArea, int countryCode, const QString& areaCode, const QString& number) override;
    bool Open(QObject* progress) override;
    bool TakeCallLine() override;
    void Start(QObject* window) override;
    void Write(const QByteArray& frame) override;
    void Stop() override;

private:
    CLinkThreads m_threads;
};
