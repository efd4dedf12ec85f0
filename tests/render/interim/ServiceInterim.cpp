// INTERIM, test-only: the service client's destructor, so a SaverApp can be
// made in the render tests before the service code is in the tree. CMake
// compiles this file only while service/ holds no sources.

#include "service/ServiceClient.h"

ServiceClient::~ServiceClient() = default;
