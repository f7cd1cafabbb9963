#include "platform/failure.h"

#include "platform/messagerules.h"

Failure Failure::fromProvider(const QString &description)
{
    return Failure(messagerules::trimProviderMessage(description));
}
