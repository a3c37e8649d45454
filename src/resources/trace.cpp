#include "resources/trace.h"

#include <iostream>

std::string withDetail(const std::string& message, const std::string& detail)
{
    return message + "\n    * " + detail;
}

std::string errorMessage(const std::string& what, const std::string& detail)
{
    return withDetail(" *** ERREUR : " + what + " :", detail);
}

void trace(const std::string& message, const std::string& detail)
{
    std::cout << withDetail(message, detail) << std::endl;
}

void traceError(const std::string& what, const std::string& detail)
{
    std::cout << errorMessage(what, detail) << std::endl;
}
