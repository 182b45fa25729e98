#pragma once

namespace mMain {

int run(int argc, char** argv);

} // namespace mMain
