#include "reports/ResourceInitializer.h"

ResourceInitializer::ResourceInitializer()
{
}
