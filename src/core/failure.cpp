#include "core/failure.h"

#include "core/messagerules.h"

Failure Failure::fromProvider(const QString &description)
{
    return Failure(messagerules::trimProviderMessage(description));
}
