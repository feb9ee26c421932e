#include "list.h"

namespace vornak {

std::string ListBase::startFolder() const
{
    return fileSystem().startFolder().folder;
}

}  // namespace vornak
