// The first-generation channel database (model 2).
#pragma once

#include <memory>

#include "model/database_engine.h"
#include "model/first_gen_layout.h"

namespace brondavel {

class FirstGenDatabase : public DatabaseEngine {
  public:
    FirstGenDatabase() : DatabaseEngine(std::make_unique<FirstGenLayout>()) {}
};

}  // namespace brondavel
